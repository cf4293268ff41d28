// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "systembusmessage.h"

#include <functional>
#include <memory>
#include <vector>

// The handler of one exchange with the system bus, on the connection's
// thread. That thread may wake during the process's exit, after the
// application has gone, when what a handler reaches (the application, the
// windows' pointers, Qt's statics) is being torn down: the handler is then
// neither called nor destroyed, and goes with the process.
class AnswerHandover
{
public:
    using Handler = std::function<void(const std::vector<SystemBusAnswer>&)>;

    explicit AnswerHandover(Handler handler);
    AnswerHandover(AnswerHandover&&) = default;
    AnswerHandover& operator=(AnswerHandover&&) = delete;
    ~AnswerHandover();

    void deliver(const std::vector<SystemBusAnswer>& answers) const;

private:
    std::unique_ptr<Handler> handler;
};
