// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDir>
#include <QFile>

#include <memory>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#endif
#ifdef Q_OS_WIN
#include <windows.h>
#endif

#ifdef Q_OS_UNIX
// A file size limit of 0 fails every write to a file, as a full disk does;
// with SIGXFSZ ignored the write returns an error instead of ending the test.
class FullDisk
{
public:
    FullDisk()
    {
        ::getrlimit(RLIMIT_FSIZE, &previous);
        previousAction = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit none{0, previous.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &none);
    }
    ~FullDisk()
    {
        ::setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, previousAction);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

private:
    rlimit previous{};
    void (*previousAction)(int) = SIG_DFL;
};
#endif

// One kind of thing under the name settings.dat in the working directory,
// for the length of a test. "file", "link" (to a file in another folder)
// and the kinds of file below hold the old values 250 0 7. Every kind but
// "file", "link" and "no file" keeps a save from writing until it is lifted,
// as a user would lift it: what is not a file is removed, a read-only file
// made writable, a locked one released, the disk freed.
class SettingsDat
{
public:
    explicit SettingsDat(const QString& kind) : kind(kind) { inPlace = place(); }
    ~SettingsDat() { lift(); }
    SettingsDat(const SettingsDat&) = delete;
    SettingsDat& operator=(const SettingsDat&) = delete;

    bool isInPlace() const { return inPlace; }

    void lift()
    {
#ifdef Q_OS_UNIX
        fullDisk.reset();
#endif
#ifdef Q_OS_WIN
        if (lock != INVALID_HANDLE_VALUE)
            CloseHandle(lock);
        lock = INVALID_HANDLE_VALUE;
#endif
        if (kind == QLatin1String("directory"))
            QDir(name).removeRecursively();
        else if (kind == QLatin1String("fifo") || kind == QLatin1String("device"))
            QFile::remove(name);
        else if (kind == QLatin1String("read-only file"))
            QFile::setPermissions(name, QFile::ReadOwner | QFile::WriteOwner);
    }

private:
    static bool write(const QString& path, const QByteArray& content)
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
    }

    bool place()
    {
        if (kind == QLatin1String("no file"))
            return true;
        if (kind == QLatin1String("directory"))
            return QDir().mkdir(name) && write(name + QLatin1String("/kept"), {});
        if (kind == QLatin1String("link"))
            return QDir().mkdir(QStringLiteral("elsewhere"))
                && QFile::link(QStringLiteral("elsewhere/settings.dat"), name) && write(name, oldValues);
#ifdef Q_OS_UNIX
        // A node of our own where we may make one (as root), so that a save
        // that wrongly replaced it could not reach the machine's /dev/zero.
        if (kind == QLatin1String("device"))
            return ::mknod("settings.dat", S_IFCHR | 0600, makedev(1, 5)) == 0
                || QFile::link(QStringLiteral("/dev/zero"), name);
        if (kind == QLatin1String("fifo"))
            return ::mkfifo("settings.dat", 0600) == 0;
        if (kind == QLatin1String("full disk, no file")) {
            fullDisk = std::make_unique<FullDisk>();
            return true;
        }
#endif
        return write(name, oldValues) && placeOnFile();
    }

    bool placeOnFile()
    {
        if (kind == QLatin1String("file"))
            return true;
        if (kind == QLatin1String("read-only file"))
            return QFile::setPermissions(name, QFile::ReadOwner | QFile::ReadUser | QFile::ReadGroup
                                                   | QFile::ReadOther);
#ifdef Q_OS_UNIX
        if (kind == QLatin1String("full disk, old file")) {
            fullDisk = std::make_unique<FullDisk>();
            return true;
        }
#endif
#ifdef Q_OS_WIN
        // No sharing at all, as a program that locks the file holds it.
        if (kind == QLatin1String("locked file")) {
            lock = CreateFileW(L"settings.dat", GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                               nullptr);
            return lock != INVALID_HANDLE_VALUE;
        }
#endif
        return false;
    }

    const QString name = QStringLiteral("settings.dat");
    const QByteArray oldValues = QByteArrayLiteral("250 0 7");
    QString kind;
    bool inPlace = false;
#ifdef Q_OS_UNIX
    std::unique_ptr<FullDisk> fullDisk;
#endif
#ifdef Q_OS_WIN
    HANDLE lock = INVALID_HANDLE_VALUE;
#endif
};
