// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32platform.h"

#include "pauseinterrupt.h"

#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

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

namespace {

std::string utf8(const wchar_t* text, int length)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string converted(static_cast<size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, text, length, converted.data(), size, nullptr, nullptr);
    return converted;
}

// The system's text for an error code, without the line break it ends with.
std::string systemMessage(DWORD error)
{
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string message = length > 0 ? utf8(text, static_cast<int>(length)) : std::string();
    LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
        message.pop_back();
    return message.empty() ? "Error " + std::to_string(error) + "." : message;
}

// Whether the process's token holds the shutdown privilege at all, enabled
// or not: without it no request to shut down or restart can succeed.
bool tokenHoldsShutdownPrivilege()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return true;    // cannot tell; the request will say
    LUID shutdown = {};
    DWORD size = 0;
    GetTokenInformation(token, TokenPrivileges, nullptr, 0, &size);
    std::vector<unsigned char> buffer(size);
    bool holds = true;
    if (size > 0 && LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &shutdown)
        && GetTokenInformation(token, TokenPrivileges, buffer.data(), size, &size)) {
        const auto* privileges = reinterpret_cast<const TOKEN_PRIVILEGES*>(buffer.data());
        holds = false;
        for (DWORD i = 0; i < privileges->PrivilegeCount; ++i) {
            const LUID& luid = privileges->Privileges[i].Luid;
            holds = holds || (luid.LowPart == shutdown.LowPart && luid.HighPart == shutdown.HighPart);
        }
    }
    CloseHandle(token);
    return holds;
}

ExitOutcome::Kind refusalKind(DWORD error)
{
    switch (error) {
    case ERROR_PRIVILEGE_NOT_HELD:
    case ERROR_ACCESS_DENIED:
        return ExitOutcome::Kind::Forbidden;
    case ERROR_SHUTDOWN_IN_PROGRESS:
        return ExitOutcome::Kind::AlreadyInProgress;
    default:
        return ExitOutcome::Kind::Refused;
    }
}

}

// ExitWindowsEx answers at once: it only starts the action, or refuses it.
// The request may have waited for another to let go of the privilege, and
// the user may have stopped meanwhile.
void Win32Platform::requestExit(std::uint32_t flags, std::uint32_t reason, const StillWanted& stillWanted,
                                ExitOutcomeHandler onOutcome)
{
    if (!stillWanted())
        return;
    ExitOutcome outcome;
    if (!ExitWindowsEx(flags, reason)) {
        const DWORD error = GetLastError();
        outcome.kind = refusalKind(error);
        outcome.reason = systemMessage(error);
    }
    onOutcome(outcome);
}

// A log-off needs no privilege; a shutdown or restart needs one the
// account may lack. Nothing else can be told in advance.
void Win32Platform::askProspect(std::uint32_t flags, ExitProspectHandler onAnswer)
{
    ExitProspect prospect;
    if ((flags & ~ExitFlags::ForceIfHung) != ExitFlags::Logoff && !tokenHoldsShutdownPrivilege())
        prospect.consent = ExitProspect::Consent::Denied;
    onAnswer(prospect);
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
