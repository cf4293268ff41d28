// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QString;
class QWidget;

// Has a screen reader say text at once, interrupting what it was saying, as
// a notice appears. Only Windows needs this: UI Automation knows no type for
// the notification role and raises no event for a window that appears
// without the keyboard, so Narrator stays silent. AT-SPI readers already
// speak the notification as it shows, and would say it twice.
void announceNotice(QWidget* notice, const QString& text);
