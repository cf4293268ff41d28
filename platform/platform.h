// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
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

// The system's answer to an exit request. The backend knows what the
// system's errors mean; putting that into words is left to the windows.
struct ExitOutcome
{
    enum class Kind {
        Accepted,
        Refused,              // for a reason none of the kinds below names
        NoPasswordPrompt,     // a password is needed and no prompt could be shown
        PasswordNotEntered,   // a password was asked for and nobody answered in time
        Forbidden,            // access denied: by policy, or a wrong or cancelled password
        NoSessionToEnd,       // a log-off from outside any login session
        AlreadyInProgress,    // another shutdown or reboot is under way
        NoAnswer,             // the system did not answer in time, and nothing was asked of it
    };
    Kind kind = Kind::Accepted;
    // The system's own words (UTF-8), when refused; the backend's own where
    // the system said nothing.
    std::string reason;

    bool refused() const { return kind != Kind::Accepted; }
};
using ExitOutcomeHandler = std::function<void(const ExitOutcome&)>;
// Whether the user still wants an exit request made: false once they have
// stopped it, however long the request has waited for the system.
using StillWanted = std::function<bool()>;

// What an exit request would meet if it were made now, as far as the system
// tells in advance.
struct ExitProspect
{
    // NoSession: a log-off would find no session to end.
    enum class Consent { Unknown, Granted, AsksPassword, Denied, NoSession };
    Consent consent = Consent::Unknown;
    // Programs that hold a shutdown or reboot off for now, in their own
    // words. The system lets the caller's own programs hold nothing off:
    // the action goes ahead and cuts them short.
    struct Blocker
    {
        std::string who;
        std::string why;
        bool callersOwn = false;
    };
    std::vector<Blocker> blockers;
};
// Nothing (std::nullopt) where the system left the questions unanswered.
using ExitProspectHandler = std::function<void(const std::optional<ExitProspect>&)>;

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
    // waiting for it to happen. stillWanted is asked on the calling thread
    // just before the request leaves, after whatever wait for the system
    // came first; when it says no, nothing is sent and onOutcome is never
    // called. Otherwise onOutcome is called once, when the system has
    // answered: during this call where the system answers at once, or
    // later on another thread where the answer comes asynchronously. A
    // request still waiting (for a password, say) has no outcome yet, so
    // the handler may never be called. The call itself never waits on a
    // stalled system without end: that is reported as NoAnswer.
    virtual void requestExit(std::uint32_t flags, std::uint32_t reason, const StillWanted& stillWanted,
                             ExitOutcomeHandler onOutcome) = 0;

    // Asks what an exit request with these flags would meet. onAnswer is
    // called at most once, on any thread, with what the system told, or
    // with nothing where it did not answer. The questions wait about a
    // second each, but reaching a stalled bus may block the calling thread
    // for longer: call it where waiting does no harm.
    virtual void askProspect(std::uint32_t flags, ExitProspectHandler onAnswer) = 0;

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
