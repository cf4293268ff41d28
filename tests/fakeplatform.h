// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform.h"

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

// Records every operating-system call with the virtual time it was made at.
// The clock moves only when a pause ends or a test advances it, so a run of
// weeks takes milliseconds. Pauses either pass at once (the default) or are
// held until the test releases them, which lets a test act during a pause.
// Exit requests are accepted at once unless the test has the fake refuse
// them or keep their answer back; they too can be held open, and one no
// longer wanted once let go is never answered.
class FakePlatform : public Platform
{
public:
    enum class CallKind { EnablePrivilege, DisablePrivilege, RequestExit, AbortShutdown, AskProspect };
    enum class Answer { Accept, Refuse, Later };
    struct Call
    {
        CallKind kind;
        std::uint32_t flags = 0;
        std::uint32_t reason = 0;
        std::uint64_t atMs = 0;
    };

    void enableShutdownPrivilege() override;
    void disableShutdownPrivilege() override;
    void requestExit(std::uint32_t flags, std::uint32_t reason, const StillWanted& stillWanted,
                     ExitOutcomeHandler onOutcome) override;
    void askProspect(std::uint32_t flags, ExitProspectHandler onAnswer) override;
    void abortShutdown() override;
    void pause(std::uint32_t ms, PauseInterrupt& interrupt) override;
    std::uint64_t elapsedClockMs() override;

    // Forgets all calls, pauses and answers and sets the clock back to 0.
    void reset();
    std::vector<Call> calls() const;
    std::vector<Call> exitRequests() const;

    void advanceClock(std::uint64_t ms);
    // Lengths of the pauses begun so far, and the clock when each began.
    std::vector<std::uint32_t> pauseLengths() const;
    std::vector<std::uint64_t> pauseStarts() const;
    // Pauses that are blocked right now waiting for releasePauses().
    int heldPauseCount() const;
    // How many pause() calls have returned.
    int endedPauseCount() const;

    void holdPauses(bool hold);
    // Ends the pauses held now, each advancing the clock by its length.
    void releasePauses();

    // How exit requests are answered from now on; a refusal is of this kind
    // and gives reason.
    void answerExits(Answer answer, const std::string& reason = {},
                     ExitOutcome::Kind kind = ExitOutcome::Kind::Refused);
    // Answers the requests kept back by Answer::Later, on the calling thread.
    void answerKeptExits(const ExitOutcome& outcome);
    // What askProspect() answers, at once; std::nullopt leaves the
    // questions unanswered, as a system too slow to tell.
    void answerProspects(const std::optional<ExitProspect>& prospect);

    // Exit requests block inside requestExit() until released.
    void holdExitRequests(bool hold);
    int heldExitRequestCount() const;

private:
    void record(CallKind kind, std::uint32_t flags = 0, std::uint32_t reason = 0);

    mutable std::mutex mutex;
    std::condition_variable pauseStateChanged;
    std::vector<Call> recorded;
    std::vector<std::uint32_t> lengths;
    std::vector<std::uint64_t> starts;
    std::uint64_t clock = 0;
    bool holding = false;
    int held = 0;
    int ended = 0;
    std::uint64_t releaseGeneration = 0;
    Answer exitAnswer = Answer::Accept;
    ExitOutcome refusal;
    std::vector<ExitOutcomeHandler> keptExits;
    std::optional<ExitProspect> prospect;
    bool holdingExits = false;
    int heldExits = 0;
};

// The fake that systemPlatform() returns in the tests.
FakePlatform& fakePlatform();
