// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform.h"

#include <memory>

// The Platform of Windows, made of direct Win32 calls.
class Win32Platform : public Platform
{
public:
    Win32Platform();
    ~Win32Platform() override;

    void enableShutdownPrivilege() override;
    void disableShutdownPrivilege() override;
    void requestExit(std::uint32_t flags, std::uint32_t reason, const StillWanted& stillWanted,
                     ExitOutcomeHandler onOutcome) override;
    void askProspect(std::uint32_t flags, ExitProspectHandler onAnswer) override;
    void abortShutdown() override;
    void pause(std::uint32_t ms, PauseInterrupt& interrupt) override;
    std::uint64_t elapsedClockMs() override;

private:
    // The token and privilege list held from enabling the privilege to
    // disabling it; defined where windows.h is included, to keep it out of
    // every file that includes this one.
    struct PrivilegeState;
    std::unique_ptr<PrivilegeState> privilege;
};
