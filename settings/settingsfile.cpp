// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "settingsfile.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <sys/types.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

constexpr const char* fileName = "settings.dat";

#ifdef _WIN32

int openReadOnly()
{
    return _open(fileName, _O_RDONLY | _O_BINARY);
}

bool isRegularFile(int fd)
{
    struct _stat64 status;
    return _fstat64(fd, &status) == 0 && (status.st_mode & _S_IFMT) == _S_IFREG;
}

std::size_t readSome(int fd, char* buffer, std::size_t size)
{
    const int count = _read(fd, buffer, static_cast<unsigned>(size));
    return count > 0 ? static_cast<std::size_t>(count) : 0;
}

void closeFile(int fd)
{
    _close(fd);
}

#else

// O_NONBLOCK keeps the open of a FIFO from waiting for its other end; a
// regular file, the only kind we go on to use, ignores the flag.
int openReadOnly()
{
    return ::open(fileName, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
}

bool isRegularFile(int fd)
{
    struct stat status;
    return ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
}

std::size_t readSome(int fd, char* buffer, std::size_t size)
{
    ssize_t count;
    do {
        count = ::read(fd, buffer, size);
    } while (count < 0 && errno == EINTR);
    return count > 0 ? static_cast<std::size_t>(count) : 0;
}

void closeFile(int fd)
{
    ::close(fd);
}

#endif

// Returns the descriptor, or -1 when the name does not lead to a regular file.
int keepIfRegular(int fd)
{
    if (fd >= 0 && !isRegularFile(fd)) {
        closeFile(fd);
        return -1;
    }
    return fd;
}

} // namespace

SettingsFile::~SettingsFile()
{
    if (fd >= 0)
        closeFile(fd);
}

bool SettingsFile::openForReading()
{
    fd = keepIfRegular(openReadOnly());
    return fd >= 0;
}

std::size_t SettingsFile::read(char* buffer, std::size_t size)
{
    return readSome(fd, buffer, size);
}
