// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QLabel;
class QString;
class QWidget;

// A label's accessible name replaces its text for a screen reader, which
// would then no longer read what the label says. This puts the label in a
// plain widget, without margins so that nothing changes on screen, and gives
// the name to that widget instead. The label becomes the widget's child.
QWidget* namedRegion(QLabel* label, const QString& name);
