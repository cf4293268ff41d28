// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Whether the system bus daemon answers a new connection within timeoutMs.
// QtDBus makes every connection of the process on one thread of its own, and
// a daemon that takes the socket but never answers (stopped, or swamped)
// holds that thread without end, and with it the session bus too: the
// desktop notification and the screen reader's link. Every question and
// request that the program makes of its own is therefore made only of a
// bus that answers. A bus that cannot be
// reached at all fails at once in QtDBus, so it counts as answering.
bool systemBusAnswers(int timeoutMs);
