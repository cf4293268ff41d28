// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "systembus.h"

#include "answerhandover.h"
#include "systembuscoding.h"

#include <QByteArray>
#include <QtGlobal>

#include <dbus/dbus.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

#include <sys/socket.h>

namespace {

using Clock = std::chrono::steady_clock;
// How soon a wait for the connection notices that the user has stopped.
constexpr auto stillWantedPoll = std::chrono::milliseconds(50);
// Nobody waits for a call sent expecting no answer; a bus that has not
// taken it by then is given up on, as a request would be.
constexpr int sendConnectMs = 25000;

// What the calling thread and the connection's thread tell each other. The
// verdict is given only once the connection is made, or given up on, so a
// connection that comes late never sends what the caller no longer waits for.
// libdbus heeds no timeout while it authenticates, so giving up shuts the
// socket of a handshake still under way: only that ends a stalled one.
struct Exchange
{
    enum class Stage { Connecting, Connected, Sent };
    enum class Verdict { Pending, Send, Drop };

    void advance(Stage next)
    {
        std::lock_guard<std::mutex> lock(mutex);
        stage = next;
        changed.notify_all();
    }

    Verdict awaitVerdict()
    {
        std::unique_lock<std::mutex> lock(mutex);
        changed.wait(lock, [this] { return verdict != Verdict::Pending; });
        return verdict;
    }

    // The connection's thread names its socket while it shakes hands, -1 after.
    void handshakeOn(int fd)
    {
        std::lock_guard<std::mutex> lock(mutex);
        socket = fd;
        if (verdict == Verdict::Drop && socket >= 0)
            ::shutdown(socket, SHUT_RDWR);
    }

    // With mutex held.
    void give(Verdict given)
    {
        verdict = given;
        if (verdict == Verdict::Drop && socket >= 0)
            ::shutdown(socket, SHUT_RDWR);
        changed.notify_all();
    }

    // Guards stage, verdict and socket. The socket is shut only while named
    // here, and its thread takes the name back before closing the connection:
    // a number the process has since reused for another file is never shut.
    std::mutex mutex;
    std::condition_variable changed;
    Stage stage = Stage::Connecting;
    Verdict verdict = Verdict::Pending;
    int socket = -1;
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
// takes: one stalled handshake held all later ones. The greeting has no
// timeout of its own: the caller's deadline shuts the socket of a stalled one.
Connection connectTo(Exchange& exchange, const std::string& address, Error& error)
{
    Connection connection(dbus_connection_open_private(address.c_str(), &error.error));
    if (!connection)
        return connection;
    int socket = -1;
    dbus_connection_get_socket(connection.get(), &socket);
    exchange.handshakeOn(socket);
    dbus_connection_set_exit_on_disconnect(connection.get(), FALSE);
    const Message hello(dbus_message_new_method_call(DBUS_SERVICE_DBUS, DBUS_PATH_DBUS, DBUS_INTERFACE_DBUS, "Hello"),
                        &dbus_message_unref);
    const Message welcome(dbus_connection_send_with_reply_and_block(connection.get(), hello.get(),
                                                                    DBUS_TIMEOUT_INFINITE, &error.error),
                          &dbus_message_unref);
    exchange.handshakeOn(-1);
    if (!welcome)
        connection.reset();
    return connection;
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
              const std::vector<SystemBusCall>& calls, int replyTimeoutMs, const AnswerHandover& onAnswers)
{
    Error error;
    const Connection connection = connectTo(*exchange, address, error);
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
    // A few small messages fit in the socket's buffer: this ends even if the
    // bus has stopped reading.
    dbus_connection_flush(connection.get());
    exchange->advance(Exchange::Stage::Sent);
    std::vector<SystemBusAnswer> answers;
    for (const PendingCall& call : pending)
        answers.push_back(awaitAnswer(call.get()));
    onAnswers.deliver(answers);
}

// Waits at most connectMs for the connection, asking stillWanted meanwhile
// and once more when it has come, and gives the exchange its verdict.
Departure awaitConnection(Exchange& exchange, int connectMs, const std::function<bool()>& stillWanted)
{
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(connectMs);
    std::unique_lock<std::mutex> lock(exchange.mutex);
    Departure departure = Departure::Left;
    while (exchange.stage == Exchange::Stage::Connecting && departure == Departure::Left) {
        if (!stillWanted())
            departure = Departure::Unwanted;
        else if (Clock::now() >= deadline)
            departure = Departure::Stalled;
        else
            exchange.changed.wait_until(lock, std::min(deadline, Clock::now() + stillWantedPoll));
    }
    if (departure == Departure::Left && !stillWanted())
        departure = Departure::Unwanted;
    exchange.give(departure == Departure::Left ? Exchange::Verdict::Send : Exchange::Verdict::Drop);
    return departure;
}

}

Departure callSystemBus(std::vector<SystemBusCall> calls, int replyTimeoutMs, int connectMs,
                        const std::function<bool()>& stillWanted,
                        std::function<void(const std::vector<SystemBusAnswer>&)> onAnswers)
{
    auto exchange = std::make_shared<Exchange>();
    // Detached: the process may end while it waits for its answers.
    std::thread([exchange, address = systemBusAddress(), calls = std::move(calls), replyTimeoutMs,
                 handover = AnswerHandover(std::move(onAnswers))] {
        converse(exchange, address, calls, replyTimeoutMs, handover);
    }).detach();
    const Departure departure = awaitConnection(*exchange, connectMs, stillWanted);
    // Only the flush is left: the next request leaves after this one.
    if (departure == Departure::Left) {
        std::unique_lock<std::mutex> lock(exchange->mutex);
        exchange->changed.wait(lock, [&exchange] { return exchange->stage == Exchange::Stage::Sent; });
    }
    return departure;
}

void sendToSystemBus(SystemBusCall call)
{
    auto exchange = std::make_shared<Exchange>();
    std::thread([exchange, address = systemBusAddress(), call = std::move(call)] {
        Error error;
        const Connection connection = connectTo(*exchange, address, error);
        exchange->advance(Exchange::Stage::Connected);
        if (exchange->awaitVerdict() == Exchange::Verdict::Drop || !connection)
            return;
        const Message message = messageFor(call);
        dbus_message_set_no_reply(message.get(), TRUE);
        dbus_connection_send(connection.get(), message.get(), nullptr);
        dbus_connection_flush(connection.get());
    }).detach();
    // The caller does not wait, so a thread of its own gives up on a stall.
    std::thread([exchange] { awaitConnection(*exchange, sendConnectMs, [] { return true; }); }).detach();
}
