// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class PauseInterrupt;

// Flags of an exit request, with the values ExitWindowsEx gives them, so that
// the Windows backend passes them through and the others translate them.
namespace ExitFlags {
constexpr std::uint32_t Logoff = 0x00;
constexpr std::uint32_t Shutdown = 0x01;
constexpr std::uint32_t Reboot = 0x02;
constexpr std::uint32_t ForceIfHung = 0x10;
}

// The system's answer to an exit request.
struct ExitOutcome
{
    bool refused = false;
    // Why, in the system's own words (UTF-8), when refused.
    std::string reason;
};
using ExitOutcomeHandler = std::function<void(const ExitOutcome&)>;

// What an exit request would meet if it were made now, as far as the system
// tells in advance.
struct ExitProspect
{
    enum class Consent { Unknown, Granted, AsksPassword, Denied };
    Consent consent = Consent::Unknown;
    // Programs that hold the action off for now, in their own words.
    struct Blocker
    {
        std::string who;
        std::string why;
    };
    std::vector<Blocker> blockers;
};
using ExitProspectHandler = std::function<void(const ExitProspect&)>;

// What the program needs of the operating system. Every operation may be
// called from any thread. Only an exit request reports how it went, and
// only through the handler it is given; every other request returns
// normally whether or not the system did what was asked.
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
    // waiting for it to happen. onOutcome is called once, when the system
    // has answered: during this call where the system answers at once, or
    // later on another thread where the answer comes asynchronously. A
    // request still waiting (for a password, say) has no outcome yet, so
    // the handler may never be called; it must not make a request itself.
    virtual void requestExit(std::uint32_t flags, std::uint32_t reason,
                             ExitOutcomeHandler onOutcome) = 0;

    // Asks what an exit request with these flags would meet. onAnswer is
    // called once, within about a second, with what the system told by
    // then (Unknown and no blockers where it told nothing), on any thread.
    virtual void foreseeExit(std::uint32_t flags, ExitProspectHandler onAnswer) = 0;

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
