// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform.h"

#include <QString>

#include <cstdint>

// A program holding the action off, or one of the user's own that the
// action will cut short.
QString blockerSentence(const ExitProspect::Blocker& blocker);
// What the system says an exit request will meet, in sentences for the
// warning.
QString prospectSentences(const ExitProspect& prospect, std::uint32_t exitFlags);
