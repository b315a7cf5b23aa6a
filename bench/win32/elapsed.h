// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <windows.h>

// Writes how long this process has run, in microseconds since the system created it, to
// standard output: called once the first frame is painted, it is the start-up alone.
inline void reportStartUp()
{
    FILETIME created, exited, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimePreciseAsFileTime(&now);
    const auto ticks = [](const FILETIME &time) {
        return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    std::printf("%llu\n", (ticks(now) - ticks(created)) / 10); // 100 ns ticks
    std::fflush(stdout);
}
