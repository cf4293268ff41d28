// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

// One method call to logind.
struct SystemBusCall
{
    std::string path;
    std::string interface;
    std::string method;
    std::vector<std::variant<bool, std::uint32_t>> arguments;
    bool allowsPasswordPrompt = false;
};

// What came back for one call: a reply, or an error of the bus or of logind.
struct SystemBusAnswer
{
    struct Inhibitor
    {
        std::string what, who, why, mode;
        std::uint32_t uid = 0;
        std::uint32_t pid = 0;
    };
    bool isError = false;
    std::string errorName;
    std::string errorMessage;
    std::string text;                     // a first argument that is a string or object path
    std::vector<Inhibitor> inhibitors;    // a first argument of type a(ssssuu)
};
