// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <mutex>

bool hasOwner(const QDBusConnection &bus, const QString &name);
// The id of the bus daemon a connection reached (org.freedesktop.DBus.GetId).
QString busId(const QDBusConnection &bus);

// A dbus-daemon of the test's own on a socket the test chooses, so that no
// request can reach a real bus of the machine.
class PrivateBus
{
public:
    ~PrivateBus();
    bool start(const QString &configFile, const QString &socketPath);
    QString address() const { return busAddress; }
    // What busId() gives for a connection to this daemon.
    QString id() const { return daemonId; }
    // SIGSTOP and SIGCONT: a stopped daemon passes no message on.
    void freeze();
    void thaw();

private:
    QProcess daemon;
    QString busAddress;
    QString daemonId;
};

// A python-dbusmock process that owns one name on a bus. Control calls and
// call logs go through the connection given, unless another is named.
class MockService
{
public:
    MockService(const QDBusConnection &bus, const QString &service, const QStringList &arguments);
    ~MockService();
    bool waitUntilServing();
    // SIGSTOP and SIGCONT: a stopped service reads no message and answers none.
    void freeze();
    void thaw();

    // Calls a method of the mock's control interface; false when refused.
    bool control(const QString &path, const QString &method,
                 const QVariantList &arguments = {}) const;
    // Adds or replaces a method whose calls are logged with the argument
    // types they arrived with, then runs the Python code then (to raise an
    // error, say); false when the mock refused.
    bool addRecordingMethod(const QString &path, const QString &interface, const QString &name,
                            const QString &inSignature, const QString &then = QString()) const;
    // Takes another name on the mock's own connection, so that it goes when
    // the mock does; path is one of the mock's objects.
    bool alsoOwn(const QString &path, const QString &name) const;
    // The calls logged since the last clear, as "Name(type value, ...)".
    QStringList calls(const QString &path) const { return calls(path, bus); }
    QStringList calls(const QString &path, const QDBusConnection &via) const;

private:
    QDBusConnection bus;
    QString service;
    QProcess process;
};

// Stands in for a service to see how its method calls arrive, which the
// mock cannot show: it records each call's member and whether it allows
// interactive authorisation.
class FlagProbe : public QDBusVirtualObject
{
public:
    // Owns service on the bus at address and takes every call under path.
    FlagProbe(const QString &address, const QString &service, const QString &path);
    ~FlagProbe() override;
    bool isServing() const { return serving; }
    QStringList calls() const;

    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override;
    QString introspect(const QString &path) const override;

private:
    QDBusConnection connection;
    QString service;
    QString path;
    bool serving = false;
    mutable std::mutex callsMutex; // handleMessage runs on the bus's thread
    QStringList seen;
};
