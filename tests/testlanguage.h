// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Puts the program's texts in a language of translations/ ("en", "de",
// "ru") or in the pseudo-translation ("pseudo"), whose every message is
// marked. Every test starts in English, as an English desktop shows the
// program: with the plural forms of velmora_en.ts.
void useLanguage(const QString& language);
