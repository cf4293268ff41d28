// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Counts down on a virtual clock: each pause moves the clock on by its
// length and returns at once, so the longest delay passes in seconds and
// what is left to measure is the work of the passes themselves. The window
// is never shown, so the GUI thread only takes the texts.
//
// Usage: bench_longrun
// Prints, as JSON, for five runs of one hour and one of 38 days 23 hours 59
// minutes: the passes, the CPU time of the worker and of the GUI thread, the
// wall time and the virtual time of the exit request. The refresh interval
// comes from settings.dat in the working directory, 500 ms without one.
#include "benchsupport.h"
#include "maindialog.h"
#include "platform.h"
#include "settings.h"

#include <QJsonArray>

#include <atomic>

namespace {


class VirtualPlatform : public Platform
{
public:
    void enableShutdownPrivilege() override {}
    void disableShutdownPrivilege() override {}
    void abortShutdown() override {}
    void pause(std::uint32_t ms, PauseInterrupt&) override
    {
        clockMs += ms;
        ++pauses;
    }
    std::uint64_t elapsedClockMs() override;
    void requestExit(std::uint32_t, std::uint32_t, const StillWanted&, ExitOutcomeHandler) override;
    void askProspect(std::uint32_t, ExitProspectHandler onAnswer) override { onAnswer(ExitProspect()); }

    void startOver();

    Bench::ExitWaiter waiter;
    std::atomic<std::uint64_t> clockMs{0};
    std::atomic<std::uint64_t> pauses{0};
    // The worker's CPU clock at its first reading and at its request.
    std::atomic<std::int64_t> workerStartNs{0};
    std::atomic<std::int64_t> workerEndNs{0};
    std::atomic<std::uint64_t> exitAtMs{0};

private:
    std::atomic<bool> started{false};
};

std::uint64_t VirtualPlatform::elapsedClockMs()
{
    if (!started.exchange(true))
        workerStartNs = Bench::nowNs(CLOCK_THREAD_CPUTIME_ID);
    return clockMs;
}

void VirtualPlatform::requestExit(std::uint32_t, std::uint32_t, const StillWanted&, ExitOutcomeHandler)
{
    workerEndNs = Bench::nowNs(CLOCK_THREAD_CPUTIME_ID);
    exitAtMs = clockMs.load();
    waiter.notifyExit();
}

void VirtualPlatform::startOver()
{
    clockMs = 0;
    pauses = 0;
    started = false;
    waiter.reset();
}

VirtualPlatform& virtualPlatform()
{
    static VirtualPlatform platform;
    return platform;
}

QJsonObject countDown(const QString& name, int days, int hours, int minutes)
{
    VirtualPlatform& os = virtualPlatform();
    os.startOver();
    MainDialog dialog;
    Bench::setDelay(dialog, days, hours, minutes);
    const std::int64_t wallStart = Bench::nowNs(CLOCK_MONOTONIC);
    const std::int64_t guiStart = Bench::nowNs(CLOCK_THREAD_CPUTIME_ID);
    Bench::pressOk(dialog);
    os.waiter.waitFor(1);
    const std::int64_t guiNs = Bench::nowNs(CLOCK_THREAD_CPUTIME_ID) - guiStart;
    const std::int64_t wallNs = Bench::nowNs(CLOCK_MONOTONIC) - wallStart;
    return {
        {QStringLiteral("name"), name},
        {QStringLiteral("target_ms"), double((days * 1440 + hours * 60 + minutes) * 60000.0)},
        {QStringLiteral("exit_at_ms"), double(os.exitAtMs)},
        {QStringLiteral("passes"), double(os.pauses)},
        {QStringLiteral("worker_cpu_ms"), double(os.workerEndNs - os.workerStartNs) / 1e6},
        {QStringLiteral("gui_cpu_ms"), double(guiNs) / 1e6},
        {QStringLiteral("wall_ms"), double(wallNs) / 1e6},
    };
}

}

Platform& systemPlatform()
{
    return virtualPlatform();
}

int main(int, char* argv[])
{
    loadSettings();
    Bench::OffscreenApplication application(argv[0]);
    // A one-hour run takes milliseconds, too few to measure once.
    QJsonArray runs;
    for (int i = 0; i < 5; ++i)
        runs.append(countDown(QStringLiteral("1 h"), 0, 1, 0));
    runs.append(countDown(QStringLiteral("38 d 23 h 59 m"), 38, 23, 59));
    Bench::printJson({{QStringLiteral("refresh_ms"), int(settings.sleepTime)}, {QStringLiteral("runs"), runs}});
    return 0;
}
