// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct Settings;

// The bytes the loader parses. Like read(2), a call may return fewer bytes
// than asked for, and returns 0 once they have run out.
class ByteSource
{
public:
    virtual std::size_t read(char* buffer, std::size_t size) = 0;

protected:
    ~ByteSource() = default;
};

// Fills `record` from the source as loadSettings() does from an opened
// settings.dat. Separate from the file so that the fuzzer can feed it any
// bytes and watch how far it reads.
void readSettings(ByteSource& source, Settings& record);

// The bytes saveSettings() writes for these values; the fuzzer checks that
// they load back.
std::string formatSettings(std::int32_t sleepTime, bool displayAlert, std::int32_t alertTime);

// settings.dat in the working directory, opened for reading only when it is
// a regular file: a directory, FIFO or device of that name counts as a file
// that cannot be opened, and opening one never blocks. Closed when destroyed.
class SettingsFile final : public ByteSource
{
public:
    SettingsFile() = default;
    ~SettingsFile();
    SettingsFile(const SettingsFile&) = delete;
    SettingsFile& operator=(const SettingsFile&) = delete;

    bool openForReading();

    // Returns the number of bytes read; 0 at the end of the file or on error.
    std::size_t read(char* buffer, std::size_t size) override;

private:
    int fd = -1;
};
