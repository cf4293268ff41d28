// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

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

// settings.dat in the working directory, opened only when it is (or, for
// writing, becomes) a regular file: a directory, FIFO or device of that name
// counts as a file that cannot be opened, and opening one never blocks.
// Closed when destroyed.
class SettingsFile final : public ByteSource
{
public:
    SettingsFile() = default;
    ~SettingsFile();
    SettingsFile(const SettingsFile&) = delete;
    SettingsFile& operator=(const SettingsFile&) = delete;

    bool openForReading();
    // Creates the file or empties an existing one.
    bool openForWriting();

    // Returns the number of bytes read; 0 at the end of the file or on error.
    std::size_t read(char* buffer, std::size_t size) override;
    // One write call; a short or failed write goes unreported.
    void write(const char* data, std::size_t size);

private:
    int fd = -1;
};
