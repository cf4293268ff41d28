// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pauseinterrupt.h"
#include "platform.h"

#include <QElapsedTimer>
#include <QScopeGuard>
#include <QTest>
#include <QThread>

#include <memory>

#ifdef Q_OS_WIN
#include <windows.h>

#include <vector>
#endif

// The backend this platform builds, for real: what it does without asking
// for a power action. The requests themselves are tested where they can go
// to a private stand-in for the system (a private bus, a Wine prefix).
class SystemPlatformTest : public QObject
{
    Q_OBJECT

private slots:
    void pauseEndsWhenInterruptIsRaised();
    void clockCountsMillisecondsWithoutGoingBack();
#ifdef Q_OS_WIN
    void privilegeIsEnabledOnlyWithinThePair();
#endif

private:
    Platform &platform = systemPlatform();
};

namespace {
constexpr std::uint32_t oneHourMs = 3600000;
#ifdef Q_OS_WIN
// GetTickCount64 moves in steps of the system timer, 10 to 16 ms.
constexpr qint64 clockStepMs = 16;
#else
constexpr qint64 clockStepMs = 1;
#endif
}

void SystemPlatformTest::pauseEndsWhenInterruptIsRaised()
{
    PauseInterrupt raisedBefore;
    raisedBefore.raise();
    PauseInterrupt raisedDuring;
    std::unique_ptr<QThread> sleeper(QThread::create([&] {
        platform.pause(oneHourMs, raisedBefore);
        platform.pause(oneHourMs, raisedDuring);
    }));
    const auto release = qScopeGuard([&] {
        raisedDuring.raise();
        sleeper->wait();
    });
    sleeper->start();

    // An hour's pause that returned by itself would have ignored its length.
    QTest::qWait(50);
    QVERIFY(!sleeper->isFinished());
    raisedDuring.raise();
    QTRY_VERIFY(sleeper->isFinished());
}

void SystemPlatformTest::clockCountsMillisecondsWithoutGoingBack()
{
    PauseInterrupt never;
    QElapsedTimer outer;
    outer.start();
    const std::uint64_t before = platform.elapsedClockMs();
    QElapsedTimer inner;
    inner.start();
    platform.pause(50, never);
    const qint64 innerMs = inner.elapsed();
    const std::uint64_t after = platform.elapsedClockMs();
    const qint64 outerMs = outer.elapsed();

    // The time between the readings lies between the inner and the outer
    // span, give or take a step of the backend's clock.
    QVERIFY(after >= before);
    QCOMPARE_GE(qint64(after - before), innerMs - clockStepMs);
    QCOMPARE_LE(qint64(after - before), outerMs + clockStepMs);
}

#ifdef Q_OS_WIN
namespace {

// Whether SeShutdownPrivilege is enabled in the process's token now.
bool shutdownPrivilegeEnabled()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return false;
    const auto close = qScopeGuard([&] { CloseHandle(token); });
    LUID shutdown;
    if (!LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &shutdown))
        return false;
    DWORD size = 0;
    GetTokenInformation(token, TokenPrivileges, nullptr, 0, &size);
    std::vector<unsigned char> buffer(size);
    if (!GetTokenInformation(token, TokenPrivileges, buffer.data(), size, &size))
        return false;
    const auto *privileges = reinterpret_cast<const TOKEN_PRIVILEGES *>(buffer.data());
    for (DWORD i = 0; i < privileges->PrivilegeCount; ++i) {
        const LUID_AND_ATTRIBUTES &entry = privileges->Privileges[i];
        if (entry.Luid.LowPart == shutdown.LowPart && entry.Luid.HighPart == shutdown.HighPart)
            return (entry.Attributes & SE_PRIVILEGE_ENABLED) != 0;
    }
    return false;
}

} // namespace

void SystemPlatformTest::privilegeIsEnabledOnlyWithinThePair()
{
    for (int pair = 0; pair < 2; ++pair) {
        QVERIFY(!shutdownPrivilegeEnabled());
        platform.enableShutdownPrivilege();
        QVERIFY(shutdownPrivilegeEnabled());
        platform.disableShutdownPrivilege();
    }
    QVERIFY(!shutdownPrivilegeEnabled());
}
#endif

QTEST_GUILESS_MAIN(SystemPlatformTest)
#include "tst_systemplatform.moc"
