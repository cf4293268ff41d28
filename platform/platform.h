// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

class PauseInterrupt;

// Flags of an exit request, with the values ExitWindowsEx gives them, so that
// the Windows backend passes them through and the others translate them.
namespace ExitFlags {
constexpr std::uint32_t Logoff = 0x00;
constexpr std::uint32_t Shutdown = 0x01;
constexpr std::uint32_t Reboot = 0x02;
constexpr std::uint32_t ForceIfHung = 0x10;
}

// What the program needs of the operating system. Every operation may be
// called from any thread. None reports an outcome: a refused or failed
// request returns normally and leaves no trace, which is what the callers
// expect of a power request.
class Platform
{
public:
    virtual ~Platform() = default;

    // Enables the shutdown privilege in the process's own access token. Each
    // call is followed by exactly one disableShutdownPrivilege(); the caller
    // keeps these pairs from overlapping.
    virtual void enableShutdownPrivilege() = 0;
    virtual void disableShutdownPrivilege() = 0;

    // Starts a log-off, shutdown or restart (ExitFlags) and returns without
    // waiting for it to happen or for any answer.
    virtual void requestExit(std::uint32_t flags, std::uint32_t reason) = 0;

    // Cancels a system shutdown of the local computer that is pending.
    virtual void abortShutdown() = 0;

    // Blocks the calling thread for ms milliseconds, or until the interrupt
    // is raised, whichever comes first; returns at once if it already is.
    virtual void pause(std::uint32_t ms, PauseInterrupt& interrupt) = 0;

    // Milliseconds from an arbitrary origin. Counts the time the machine
    // spends suspended, ignores changes of the wall clock and does not wrap.
    virtual std::uint64_t elapsedClockMs() = 0;
};

// The operating system this program runs on. Defined by the backend the
// program links, or by the recording fake the tests link instead.
Platform& systemPlatform();
