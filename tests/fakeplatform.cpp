// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakeplatform.h"

#include "pauseinterrupt.h"

#include <chrono>

Platform& systemPlatform()
{
    return fakePlatform();
}

FakePlatform& fakePlatform()
{
    static FakePlatform platform;
    return platform;
}

void FakePlatform::record(CallKind kind, std::uint32_t flags, std::uint32_t reason)
{
    std::lock_guard<std::mutex> lock(mutex);
    recorded.push_back({kind, flags, reason, clock});
}

void FakePlatform::enableShutdownPrivilege()
{
    record(CallKind::EnablePrivilege);
}

void FakePlatform::disableShutdownPrivilege()
{
    record(CallKind::DisablePrivilege);
}

void FakePlatform::requestExit(std::uint32_t flags, std::uint32_t reason, const StillWanted& stillWanted,
                               ExitOutcomeHandler onOutcome)
{
    record(CallKind::RequestExit, flags, reason);
    std::unique_lock<std::mutex> lock(mutex);
    ++heldExits;
    pauseStateChanged.wait(lock, [this] { return !holdingExits; });
    --heldExits;
    if (!stillWanted())
        return;
    if (exitAnswer == Answer::Later) {
        keptExits.push_back(std::move(onOutcome));
        return;
    }
    const ExitOutcome outcome = exitAnswer == Answer::Refuse ? refusal : ExitOutcome();
    lock.unlock();
    onOutcome(outcome);
}

void FakePlatform::askProspect(std::uint32_t flags, ExitProspectHandler onAnswer)
{
    record(CallKind::AskProspect, flags);
    std::unique_lock<std::mutex> lock(mutex);
    const std::optional<ExitProspect> answer = prospect;
    lock.unlock();
    onAnswer(answer);
}

void FakePlatform::abortShutdown()
{
    record(CallKind::AbortShutdown);
}

void FakePlatform::pause(std::uint32_t ms, PauseInterrupt& interrupt)
{
    std::unique_lock<std::mutex> lock(mutex);
    lengths.push_back(ms);
    starts.push_back(clock);
    if (holding) {
        ++held;
        pauseStateChanged.notify_all();
        const std::uint64_t generation = releaseGeneration;
        // The interrupt has its own lock, so it is polled rather than waited on.
        while (releaseGeneration == generation && !interrupt.isRaised())
            pauseStateChanged.wait_for(lock, std::chrono::milliseconds(1));
        --held;
        if (releaseGeneration != generation)
            clock += ms;
    } else if (!interrupt.isRaised()) {
        clock += ms;
    }
    ++ended;
    pauseStateChanged.notify_all();
}

std::uint64_t FakePlatform::elapsedClockMs()
{
    std::lock_guard<std::mutex> lock(mutex);
    return clock;
}

void FakePlatform::reset()
{
    std::lock_guard<std::mutex> lock(mutex);
    recorded.clear();
    lengths.clear();
    starts.clear();
    clock = 0;
    ended = 0;
    exitAnswer = Answer::Accept;
    refusal = {};
    keptExits.clear();
    prospect = ExitProspect();
}

std::vector<FakePlatform::Call> FakePlatform::calls() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return recorded;
}

std::vector<FakePlatform::Call> FakePlatform::exitRequests() const
{
    std::vector<Call> requests;
    for (const Call& call : calls()) {
        if (call.kind == CallKind::RequestExit)
            requests.push_back(call);
    }
    return requests;
}

void FakePlatform::advanceClock(std::uint64_t ms)
{
    std::lock_guard<std::mutex> lock(mutex);
    clock += ms;
}

std::vector<std::uint32_t> FakePlatform::pauseLengths() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return lengths;
}

std::vector<std::uint64_t> FakePlatform::pauseStarts() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return starts;
}

int FakePlatform::heldPauseCount() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return held;
}

int FakePlatform::endedPauseCount() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return ended;
}

void FakePlatform::holdPauses(bool hold)
{
    std::lock_guard<std::mutex> lock(mutex);
    holding = hold;
}

void FakePlatform::releasePauses()
{
    std::lock_guard<std::mutex> lock(mutex);
    ++releaseGeneration;
    pauseStateChanged.notify_all();
}

void FakePlatform::answerExits(Answer answer, const std::string& reason, ExitOutcome::Kind kind)
{
    std::lock_guard<std::mutex> lock(mutex);
    exitAnswer = answer;
    refusal = {kind, reason};
}

void FakePlatform::answerKeptExits(const ExitOutcome& outcome)
{
    std::unique_lock<std::mutex> lock(mutex);
    std::vector<ExitOutcomeHandler> handlers;
    handlers.swap(keptExits);
    lock.unlock();
    for (const ExitOutcomeHandler& handler : handlers)
        handler(outcome);
}

void FakePlatform::answerProspects(const std::optional<ExitProspect>& answer)
{
    std::lock_guard<std::mutex> lock(mutex);
    prospect = answer;
}

void FakePlatform::holdExitRequests(bool hold)
{
    std::lock_guard<std::mutex> lock(mutex);
    holdingExits = hold;
    pauseStateChanged.notify_all();
}

int FakePlatform::heldExitRequestCount() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return heldExits;
}
