// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "systembusprobe.h"

#include <QByteArray>
#include <QtGlobal>

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <string>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

const char defaultAddress[] = "unix:path=/run/dbus/system_bus_socket";

// The socket of the first unix address in a D-Bus address list, or an empty
// path when there is none; abstract sockets start with a NUL byte.
std::string socketPath(const std::string& addresses)
{
    const std::string first = addresses.substr(0, addresses.find(';'));
    if (first.rfind("unix:", 0) != 0)
        return {};
    for (const char* key : {"path=", "abstract="}) {
        const std::size_t at = first.find(key);
        if (at == std::string::npos)
            continue;
        const std::size_t start = at + std::strlen(key);
        const std::string value = first.substr(start, first.find(',', start) - start);
        return key[0] == 'a' ? std::string(1, '\0') + value : value;
    }
    return {};
}

class Socket
{
public:
    Socket() : fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0)) {}
    ~Socket()
    {
        if (fd >= 0)
            ::close(fd);
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;

    // Waits for the events, at most timeoutMs; false when they did not come.
    bool await(short events, int timeoutMs) const
    {
        pollfd watched{fd, events, 0};
        return ::poll(&watched, 1, timeoutMs) == 1 && (watched.revents & events) != 0;
    }

    const int fd;
};

}

// The first step of the bus's own handshake: a daemon that lives answers it
// at once, whether it accepts the credentials or not.
bool systemBusAnswers(int timeoutMs)
{
    // Read under Qt's lock of the environment, which the windows also write.
    const QByteArray configured = qgetenv("DBUS_SYSTEM_BUS_ADDRESS");
    const std::string path = socketPath(configured.isEmpty() ? defaultAddress : configured.toStdString());
    sockaddr_un address{};
    if (path.empty() || path.size() >= sizeof address.sun_path)
        return true;
    Socket bus;
    if (bus.fd < 0)
        return true;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.data(), path.size());
    const auto length = socklen_t(offsetof(sockaddr_un, sun_path) + path.size() + (path[0] == '\0' ? 0 : 1));
    if (::connect(bus.fd, reinterpret_cast<const sockaddr*>(&address), length) != 0) {
        // A full backlog is a daemon that has stopped taking connections.
        if (errno == EAGAIN)
            return false;
        if (errno != EINPROGRESS)
            return true;
        if (!bus.await(POLLOUT, timeoutMs))
            return false;
    }
    const std::string hello = std::string(1, '\0') + "AUTH EXTERNAL\r\n";
    if (::send(bus.fd, hello.data(), hello.size(), MSG_NOSIGNAL) != ssize_t(hello.size()))
        return true;
    return bus.await(POLLIN, timeoutMs);
}
