// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32platform.h"

#include "pauseinterrupt.h"

#include <windows.h>

#include <chrono>

// requestExit() hands the flags to ExitWindowsEx untouched.
static_assert(ExitFlags::Logoff == EWX_LOGOFF);
static_assert(ExitFlags::Shutdown == EWX_SHUTDOWN);
static_assert(ExitFlags::Reboot == EWX_REBOOT);
static_assert(ExitFlags::ForceIfHung == EWX_FORCEIFHUNG);

// No lock guards this: the callers never let two enable/disable pairs
// overlap, and whatever keeps them apart also orders these accesses.
struct Win32Platform::PrivilegeState
{
    HANDLE token = nullptr;
    TOKEN_PRIVILEGES list = {};
};

Win32Platform::Win32Platform()
    : privilege(std::make_unique<PrivilegeState>())
{
}

Win32Platform::~Win32Platform() = default;

// No result is looked at: every step runs even when one before it failed
// (a token that did not open stays null and is passed on regardless), and a
// request made without the privilege is simply refused by the system.
void Win32Platform::enableShutdownPrivilege()
{
    PrivilegeState& state = *privilege;
    OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &state.token);
    LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &state.list.Privileges[0].Luid);
    state.list.PrivilegeCount = 1;
    state.list.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    AdjustTokenPrivileges(state.token, FALSE, &state.list, 0, nullptr, nullptr);
}

void Win32Platform::disableShutdownPrivilege()
{
    PrivilegeState& state = *privilege;
    state.list.Privileges[0].Attributes = 0;
    AdjustTokenPrivileges(state.token, FALSE, &state.list, 0, nullptr, nullptr);
    // The token was opened for this one pair; closing it here keeps a
    // long-running process from leaking a handle on every power request.
    if (state.token != nullptr) {
        CloseHandle(state.token);
        state.token = nullptr;
    }
}

void Win32Platform::requestExit(std::uint32_t flags, std::uint32_t reason)
{
    ExitWindowsEx(flags, reason);
}

void Win32Platform::abortShutdown()
{
    AbortSystemShutdownW(nullptr);
}

// A plain Sleep() could not be cut short when the countdown is stopped.
void Win32Platform::pause(std::uint32_t ms, PauseInterrupt& interrupt)
{
    interrupt.waitFor(std::chrono::milliseconds(ms));
}

// GetTickCount64 keeps counting while the machine sleeps and does not follow
// changes of the wall clock; unlike GetTickCount it does not wrap after 49 days.
std::uint64_t Win32Platform::elapsedClockMs()
{
    return GetTickCount64();
}

Platform& systemPlatform()
{
    static Win32Platform platform;
    return platform;
}
