// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform.h"

// Asks logind, or the desktop's session manager for a log-off, over D-Bus.
// polkit authorises each request, so there is no privilege to hold.
class LinuxPlatform : public Platform
{
public:
    void enableShutdownPrivilege() override;
    void disableShutdownPrivilege() override;
    void requestExit(std::uint32_t flags, std::uint32_t reason, const StillWanted& stillWanted,
                     ExitOutcomeHandler onOutcome) override;
    void askProspect(std::uint32_t flags, ExitProspectHandler onAnswer) override;
    void abortShutdown() override;
    void pause(std::uint32_t ms, PauseInterrupt& interrupt) override;
    std::uint64_t elapsedClockMs() override;
};
