// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "systembus.h"

#include "answerhandover.h"

#include <QByteArray>
#include <QtGlobal>

#include <dbus/dbus.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

namespace {

using Clock = std::chrono::steady_clock;
// How soon a wait for the connection notices that the user has stopped.
constexpr auto stillWantedPoll = std::chrono::milliseconds(50);
// Nobody waits for a call sent expecting no answer; a stalled bus lets go of
// its thread after twice this.
constexpr int sendConnectMs = 25000;
const char service[] = "org.freedesktop.login1";

// What the calling thread and the connection's thread tell each other. The
// verdict is given only once the connection is made, or given up on, so a
// connection that comes late never sends what the caller no longer waits for.
struct Exchange
{
    enum class Stage { Connecting, Connected, Sent };
    enum class Verdict { Pending, Send, Drop };

    void advance(Stage next)
    {
        {
            std::lock_guard<std::mutex> lock(mutex);
            stage = next;
        }
        changed.notify_all();
    }

    Verdict awaitVerdict()
    {
        std::unique_lock<std::mutex> lock(mutex);
        changed.wait(lock, [this] { return verdict != Verdict::Pending; });
        return verdict;
    }

    std::mutex mutex;    // guards stage and verdict
    std::condition_variable changed;
    Stage stage = Stage::Connecting;
    Verdict verdict = Verdict::Pending;
};

struct Error
{
    Error() { dbus_error_init(&error); }
    ~Error() { dbus_error_free(&error); }
    Error(const Error&) = delete;
    Error& operator=(const Error&) = delete;
    DBusError error;
};

struct ConnectionRelease
{
    void operator()(DBusConnection* connection) const
    {
        dbus_connection_close(connection);
        dbus_connection_unref(connection);
    }
};
using Connection = std::unique_ptr<DBusConnection, ConnectionRelease>;
using Message = std::unique_ptr<DBusMessage, decltype(&dbus_message_unref)>;
using PendingCall = std::unique_ptr<DBusPendingCall, decltype(&dbus_pending_call_unref)>;

std::string systemBusAddress()
{
    // Read under Qt's lock of the environment, which the windows also write.
    const QByteArray configured = qgetenv("DBUS_SYSTEM_BUS_ADDRESS");
    return configured.isEmpty() ? "unix:path=/run/dbus/system_bus_socket" : configured.toStdString();
}

// The connection is the program's own, so losing it must not end the process.
// The bus's greeting is asked for here rather than by dbus_bus_register(),
// which waits for it holding a lock that every connection of the process
// takes: one stalled handshake held all later ones. Once the caller has
// given up (connectMs), the thread ends by itself a while later.
Connection connectTo(const std::string& address, int connectMs, Error& error)
{
    Connection connection(dbus_connection_open_private(address.c_str(), &error.error));
    if (!connection)
        return connection;
    dbus_connection_set_exit_on_disconnect(connection.get(), FALSE);
    const Message hello(dbus_message_new_method_call(DBUS_SERVICE_DBUS, DBUS_PATH_DBUS, DBUS_INTERFACE_DBUS, "Hello"),
                        &dbus_message_unref);
    const Message welcome(
        dbus_connection_send_with_reply_and_block(connection.get(), hello.get(), 2 * connectMs, &error.error),
        &dbus_message_unref);
    if (!welcome)
        connection.reset();
    return connection;
}

Message messageFor(const SystemBusCall& call)
{
    Message message(dbus_message_new_method_call(service, call.path.c_str(), call.interface.c_str(),
                                                 call.method.c_str()),
                    &dbus_message_unref);
    DBusMessageIter arguments;
    dbus_message_iter_init_append(message.get(), &arguments);
    for (const auto& argument : call.arguments) {
        if (const bool* flag = std::get_if<bool>(&argument)) {
            const dbus_bool_t value = *flag;
            dbus_message_iter_append_basic(&arguments, DBUS_TYPE_BOOLEAN, &value);
        } else {
            const dbus_uint32_t value = std::get<std::uint32_t>(argument);
            dbus_message_iter_append_basic(&arguments, DBUS_TYPE_UINT32, &value);
        }
    }
    dbus_message_set_allow_interactive_authorization(message.get(), call.allowsPasswordPrompt);
    return message;
}

SystemBusAnswer errorAnswer(const char* name, const char* message)
{
    SystemBusAnswer answer;
    answer.isError = true;
    answer.errorName = name ? name : DBUS_ERROR_FAILED;
    answer.errorMessage = message ? message : "";
    return answer;
}

std::string textAt(DBusMessageIter* at)
{
    const char* text = nullptr;
    dbus_message_iter_get_basic(at, &text);
    dbus_message_iter_next(at);
    return text ? text : "";
}

std::uint32_t numberAt(DBusMessageIter* at)
{
    dbus_uint32_t number = 0;
    dbus_message_iter_get_basic(at, &number);
    dbus_message_iter_next(at);
    return number;
}

std::vector<SystemBusAnswer::Inhibitor> inhibitorsAt(DBusMessageIter* at)
{
    std::vector<SystemBusAnswer::Inhibitor> inhibitors;
    DBusMessageIter entries;
    dbus_message_iter_recurse(at, &entries);
    while (dbus_message_iter_get_arg_type(&entries) == DBUS_TYPE_STRUCT) {
        DBusMessageIter fields;
        dbus_message_iter_recurse(&entries, &fields);
        SystemBusAnswer::Inhibitor inhibitor;
        inhibitor.what = textAt(&fields);
        inhibitor.who = textAt(&fields);
        inhibitor.why = textAt(&fields);
        inhibitor.mode = textAt(&fields);
        inhibitor.uid = numberAt(&fields);
        inhibitor.pid = numberAt(&fields);
        inhibitors.push_back(std::move(inhibitor));
        dbus_message_iter_next(&entries);
    }
    return inhibitors;
}

SystemBusAnswer answerIn(DBusMessage* reply)
{
    if (dbus_message_get_type(reply) == DBUS_MESSAGE_TYPE_ERROR) {
        const char* text = nullptr;
        dbus_message_get_args(reply, nullptr, DBUS_TYPE_STRING, &text, DBUS_TYPE_INVALID);
        return errorAnswer(dbus_message_get_error_name(reply), text);
    }
    SystemBusAnswer answer;
    DBusMessageIter first;
    if (!dbus_message_iter_init(reply, &first))
        return answer;
    const int type = dbus_message_iter_get_arg_type(&first);
    if (type == DBUS_TYPE_STRING || type == DBUS_TYPE_OBJECT_PATH) {
        answer.text = textAt(&first);
    } else if (type == DBUS_TYPE_ARRAY) {
        char* signature = dbus_message_iter_get_signature(&first);
        if (signature && std::strcmp(signature, "a(ssssuu)") == 0)
            answer.inhibitors = inhibitorsAt(&first);
        dbus_free(signature);
    }
    return answer;
}

// A connection that has gone gives no pending call.
SystemBusAnswer awaitAnswer(DBusPendingCall* call)
{
    if (!call)
        return errorAnswer(DBUS_ERROR_DISCONNECTED, "Connection is closed");
    dbus_pending_call_block(call);
    const Message reply(dbus_pending_call_steal_reply(call), &dbus_message_unref);
    return reply ? answerIn(reply.get()) : errorAnswer(DBUS_ERROR_NO_REPLY, nullptr);
}

void converse(const std::shared_ptr<Exchange>& exchange, const std::string& address,
              const std::vector<SystemBusCall>& calls, int replyTimeoutMs, int connectMs,
              const AnswerHandover& onAnswers)
{
    Error error;
    const Connection connection = connectTo(address, connectMs, error);
    exchange->advance(Exchange::Stage::Connected);
    if (exchange->awaitVerdict() == Exchange::Verdict::Drop)
        return;
    if (!connection) {
        exchange->advance(Exchange::Stage::Sent);
        onAnswers.deliver(std::vector<SystemBusAnswer>(calls.size(), errorAnswer(error.error.name, error.error.message)));
        return;
    }
    std::vector<PendingCall> pending;
    for (const SystemBusCall& call : calls) {
        DBusPendingCall* sent = nullptr;
        dbus_connection_send_with_reply(connection.get(), messageFor(call).get(), &sent, replyTimeoutMs);
        pending.emplace_back(sent, &dbus_pending_call_unref);
    }
    dbus_connection_flush(connection.get());
    exchange->advance(Exchange::Stage::Sent);
    std::vector<SystemBusAnswer> answers;
    for (const PendingCall& call : pending)
        answers.push_back(awaitAnswer(call.get()));
    onAnswers.deliver(answers);
}

}

Departure callSystemBus(std::vector<SystemBusCall> calls, int replyTimeoutMs, int connectMs,
                        const std::function<bool()>& stillWanted,
                        std::function<void(const std::vector<SystemBusAnswer>&)> onAnswers)
{
    auto exchange = std::make_shared<Exchange>();
    // Detached: one caught in a stalled handshake holds nothing but itself,
    // and the process may end without it.
    std::thread([exchange, address = systemBusAddress(), calls = std::move(calls), replyTimeoutMs, connectMs,
                 handover = AnswerHandover(std::move(onAnswers))] {
        converse(exchange, address, calls, replyTimeoutMs, connectMs, handover);
    }).detach();
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(connectMs);
    std::unique_lock<std::mutex> lock(exchange->mutex);
    Departure departure = Departure::Left;
    while (exchange->stage == Exchange::Stage::Connecting && departure == Departure::Left) {
        if (!stillWanted())
            departure = Departure::Unwanted;
        else if (Clock::now() >= deadline)
            departure = Departure::Stalled;
        else
            exchange->changed.wait_until(lock, std::min(deadline, Clock::now() + stillWantedPoll));
    }
    if (departure == Departure::Left && !stillWanted())
        departure = Departure::Unwanted;
    exchange->verdict = departure == Departure::Left ? Exchange::Verdict::Send : Exchange::Verdict::Drop;
    exchange->changed.notify_all();
    // A live connection sends at once; the next request leaves after this one.
    if (departure == Departure::Left)
        exchange->changed.wait_for(lock, std::chrono::milliseconds(connectMs),
                                   [&exchange] { return exchange->stage == Exchange::Stage::Sent; });
    return departure;
}

void sendToSystemBus(SystemBusCall call)
{
    std::thread([address = systemBusAddress(), call = std::move(call)] {
        Error error;
        const Connection connection = connectTo(address, sendConnectMs, error);
        if (!connection)
            return;
        const Message message = messageFor(call);
        dbus_message_set_no_reply(message.get(), TRUE);
        dbus_connection_send(connection.get(), message.get(), nullptr);
        dbus_connection_flush(connection.get());
    }).detach();
}
