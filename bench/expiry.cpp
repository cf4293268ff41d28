// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// How late a countdown asks for its action, on the real clock and the real
// pause of the Linux backend. The windows are never shown.
//
// Usage: bench_expiry ZERO SHORTENED MINUTE
// Prints, as JSON, the lag in milliseconds of that many runs of each kind:
//   zero       from "Ok" to the request, delay 0;
//   shortened  from the target to the request of one-minute runs whose clock
//              skips ahead after the first reading, so that each ends after
//              1 to 1.5 s, at a random point of a refresh interval;
//   minute     the same for real one-minute runs, all counting at once.
// The refresh interval is the program's own: from settings.dat in the
// working directory, 500 ms without one.
#include "benchsupport.h"
#include "maindialog.h"
#include "pauseinterrupt.h"
#include "platform.h"
#include "settings.h"

#include <QJsonArray>
#include <QThread>
#include <QThreadPool>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr std::int64_t minuteMs = 60000;
constexpr double nsPerMs = 1e6;

// The clock and the pause of the Linux backend, with every exit request
// recorded. A run may be shortened: from its second reading on, its clock
// runs ahead by a skip fixed at the first, so pauses and the differences
// between later readings stay real.
class RecordingPlatform : public Platform
{
public:
    struct Exit
    {
        std::int64_t startNs;
        std::int64_t atNs;
        std::int64_t skipMs;
    };

    void enableShutdownPrivilege() override {}
    void disableShutdownPrivilege() override {}
    void abortShutdown() override {}
    void pause(std::uint32_t ms, PauseInterrupt& interrupt) override
    {
        interrupt.waitFor(std::chrono::milliseconds(ms));
    }
    std::uint64_t elapsedClockMs() override;
    void requestExit(std::uint32_t, std::uint32_t, const StillWanted&, ExitOutcomeHandler) override;
    void askProspect(std::uint32_t, ExitProspectHandler onAnswer) override { onAnswer(ExitProspect()); }

    void startOver(std::int64_t skipOfNextRunsMs);
    std::vector<Exit> exits();
    Bench::ExitWaiter waiter;

private:
    // A worker counts one run at a time on its pool thread, and every run
    // here ends in an exit request, so the run's start lives with the thread.
    struct WorkerRun
    {
        bool started = false;
        std::int64_t startNs = 0;
        std::int64_t skipMs = 0;
    };
    static thread_local WorkerRun run;

    std::atomic<std::int64_t> skipMs{0};
    std::mutex mutex;
    std::vector<Exit> recorded;
};

thread_local RecordingPlatform::WorkerRun RecordingPlatform::run;

std::uint64_t RecordingPlatform::elapsedClockMs()
{
    const std::int64_t now = Bench::nowNs(CLOCK_BOOTTIME);
    if (!run.started) {
        run = {true, now, skipMs};
        return std::uint64_t(now / 1000000);
    }
    return std::uint64_t(now / 1000000 + run.skipMs);
}

void RecordingPlatform::requestExit(std::uint32_t, std::uint32_t, const StillWanted&, ExitOutcomeHandler)
{
    const std::int64_t now = Bench::nowNs(CLOCK_BOOTTIME);
    {
        std::lock_guard<std::mutex> lock(mutex);
        recorded.push_back({run.startNs, now, run.skipMs});
    }
    run.started = false;
    waiter.notifyExit();
}

void RecordingPlatform::startOver(std::int64_t skipOfNextRunsMs)
{
    std::lock_guard<std::mutex> lock(mutex);
    recorded.clear();
    skipMs = skipOfNextRunsMs;
    waiter.reset();
}

std::vector<RecordingPlatform::Exit> RecordingPlatform::exits()
{
    std::lock_guard<std::mutex> lock(mutex);
    return recorded;
}

RecordingPlatform& recorder()
{
    static RecordingPlatform platform;
    return platform;
}

// From the moment the run's own clock reached one minute to the request.
double lagAfterTarget(const RecordingPlatform::Exit& exit)
{
    const double targetNs = double(minuteMs - exit.skipMs) * nsPerMs;
    return (double(exit.atNs - exit.startNs) - targetNs) / nsPerMs;
}

// The first run also starts the pool's thread, as the first "Ok" does.
QJsonArray zeroDelayLags(int runs)
{
    QJsonArray lags;
    for (int i = 0; i < runs; ++i) {
        recorder().startOver(0);
        MainDialog dialog;
        Bench::setDelay(dialog, 0, 0, 0);
        const std::int64_t okNs = Bench::nowNs(CLOCK_BOOTTIME);
        Bench::pressOk(dialog);
        recorder().waiter.waitFor(1);
        lags.append(double(recorder().exits().front().atNs - okNs) / nsPerMs);
    }
    return lags;
}

QJsonArray shortenedLags(int runs)
{
    std::mt19937 random(runs);
    std::uniform_int_distribution<std::int64_t> realLengthMs(1000, 999 + std::max(settings.sleepTime, 1));
    QJsonArray lags;
    for (int i = 0; i < runs; ++i) {
        recorder().startOver(minuteMs - realLengthMs(random));
        MainDialog dialog;
        Bench::setDelay(dialog, 0, 0, 1);
        Bench::pressOk(dialog);
        recorder().waiter.waitFor(1);
        lags.append(lagAfterTarget(recorder().exits().front()));
    }
    return lags;
}

// The starts are spread over one refresh interval, so that the workers do
// not all wake at the same moment.
QJsonArray minuteLags(int runs)
{
    QThreadPool::globalInstance()->setMaxThreadCount(runs + 1);
    recorder().startOver(0);
    std::vector<std::unique_ptr<MainDialog>> dialogs;
    for (int i = 0; i < runs; ++i) {
        dialogs.push_back(std::make_unique<MainDialog>());
        Bench::setDelay(*dialogs.back(), 0, 0, 1);
    }
    for (auto& dialog : dialogs) {
        Bench::pressOk(*dialog);
        QThread::msleep(unsigned(settings.sleepTime / runs));
    }
    recorder().waiter.waitFor(runs);
    QJsonArray lags;
    for (const RecordingPlatform::Exit& exit : recorder().exits())
        lags.append(lagAfterTarget(exit));
    return lags;
}

}

Platform& systemPlatform()
{
    return recorder();
}

int main(int argc, char* argv[])
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s ZERO SHORTENED MINUTE\n", argv[0]);
        return 2;
    }
    loadSettings();
    Bench::OffscreenApplication application(argv[0]);

    QJsonObject result{{QStringLiteral("refresh_ms"), int(settings.sleepTime)}};
    result.insert(QStringLiteral("zero"), zeroDelayLags(std::atoi(argv[1])));
    result.insert(QStringLiteral("shortened"), shortenedLags(std::atoi(argv[2])));
    const int minuteRuns = std::atoi(argv[3]);
    if (minuteRuns > 0)
        result.insert(QStringLiteral("minute"), minuteLags(minuteRuns));
    Bench::printJson(result);
    return 0;
}
