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

void FakePlatform::requestExit(std::uint32_t flags, std::uint32_t reason)
{
    record(CallKind::RequestExit, flags, reason);
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
