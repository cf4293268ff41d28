// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QCoreApplication;

// Installs the program's texts in the desktop's language, the first of the
// user's languages in order (QLocale::system().uiLanguages(): on Linux
// LANGUAGE before LC_ALL, LC_MESSAGES and LANG; on Windows the display
// language) that Velmora has; a region falls back to its language. When it
// has none of them, it speaks English. Qt's own texts (standard buttons,
// context menus) follow in the same language, from Qt's translations.
// Call it once the application object exists, before any window.
void installTranslators(QCoreApplication& application);
