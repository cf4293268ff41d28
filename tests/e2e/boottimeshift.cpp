// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Preloaded into the program under test, it moves CLOCK_BOOTTIME, the
// countdown's clock, on by the seconds written in the file that
// VELMORA_BOOTTIME_SHIFT names, read afresh each time, as a suspend of the
// machine would. Qt's timers keep CLOCK_MONOTONIC, so the event loop and
// the buses go on as ever while minutes of a countdown pass in a moment.
#include <dlfcn.h>
#include <time.h>

#include <cstdio>
#include <cstdlib>

extern "C" int clock_gettime(clockid_t clock, timespec* now) noexcept
{
    using ClockGettime = int (*)(clockid_t, timespec*);
    static const auto next = reinterpret_cast<ClockGettime>(dlsym(RTLD_NEXT, "clock_gettime"));
    const int result = next(clock, now);
    const char* path = clock == CLOCK_BOOTTIME && result == 0 ? std::getenv("VELMORA_BOOTTIME_SHIFT") : nullptr;
    if (std::FILE* file = path ? std::fopen(path, "r") : nullptr) {
        long shiftSeconds = 0;
        if (std::fscanf(file, "%ld", &shiftSeconds) == 1)
            now->tv_sec += shiftSeconds;
        std::fclose(file);
    }
    return result;
}
