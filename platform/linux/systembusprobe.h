// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Whether the system bus daemon answers a new connection within timeoutMs:
// a daemon that takes the socket but never answers (stopped, or swamped)
// is told apart at once, before any connection waits for it. A bus that
// cannot be reached at all fails at once when connecting, so it counts as
// answering.
bool systemBusAnswers(int timeoutMs);
