// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The least a loop that refreshes every 500 ms can cost: it sleeps and does
// nothing else, until it is killed.
#define _POSIX_C_SOURCE 200809L
#include <time.h>

int main(void)
{
    const struct timespec pause = {0, 500L * 1000L * 1000L};
    for (;;)
        nanosleep(&pause, NULL);
}
