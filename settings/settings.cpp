// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings.h"

#include "settingsfile.h"

#include <string>

Settings settings;

namespace {

// Hands out the source's bytes one at a time through a small buffer, so that
// a huge or endless file costs no more than the bytes the three values take.
// The source is asked for more only when a byte is wanted that the buffer no
// longer holds, and never again once it has run out.
class ByteReader
{
public:
    explicit ByteReader(ByteSource& source) : source(source) {}

    // The next byte without consuming it, or -1 once the file has run out.
    int peek()
    {
        if (position == filled && !refill())
            return -1;
        return static_cast<unsigned char>(buffer[position]);
    }

    void skip() { ++position; }

private:
    bool refill()
    {
        if (!exhausted) {
            filled = source.read(buffer, sizeof buffer);
            position = 0;
            exhausted = filled == 0;
        }
        return !exhausted;
    }

    ByteSource& source;
    char buffer[64];
    std::size_t position = 0;
    std::size_t filled = 0;
    bool exhausted = false;
};

enum class Outcome { Nothing, NoDigits, Number, OutOfRange };

struct Value
{
    Outcome outcome;
    std::int32_t number;
};

bool isSpace(int c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(int c)
{
    return c >= '0' && c <= '9';
}

// Stops at the first byte that cannot continue the number and leaves it
// unread. Out-of-range numbers end all reading, so their remaining digits are
// never looked at.
Value readNumber(ByteReader& in)
{
    while (isSpace(in.peek()))
        in.skip();
    int c = in.peek();
    if (c == -1)
        return {Outcome::Nothing, 0};
    const bool negative = c == '-';
    if (c == '-' || c == '+') {
        in.skip();
        c = in.peek();
    }
    if (!isDigit(c))
        return {Outcome::NoDigits, 0};
    // Checked after every digit, so the magnitude never passes 10 * 2^31 + 9
    // and cannot overflow, however long the run of digits.
    const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
    std::int64_t magnitude = 0;
    for (; isDigit(c); c = in.peek()) {
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > limit)
            return {Outcome::OutOfRange, 0};
        in.skip();
    }
    return {Outcome::Number, static_cast<std::int32_t>(negative ? -magnitude : magnitude)};
}

// Each store returns whether reading goes on to the next value.
bool storeInteger(const Value& value, std::int32_t& field)
{
    if (value.outcome != Outcome::Number)
        return false;
    field = value.number;
    return true;
}

bool storeFlag(const Value& value, bool& flag)
{
    switch (value.outcome) {
    case Outcome::Nothing:
        return false;
    case Outcome::NoDigits:
        flag = false;
        return false;
    case Outcome::OutOfRange:
        flag = true;
        return false;
    case Outcome::Number:
        break;
    }
    flag = value.number != 0;
    return value.number == 0 || value.number == 1;
}

} // namespace

void readSettings(ByteSource& source, Settings& record)
{
    ByteReader in(source);
    if (storeInteger(readNumber(in), record.sleepTime) && storeFlag(readNumber(in), record.displayAlert))
        storeInteger(readNumber(in), record.alertTime);
}

int loadSettings()
{
    SettingsFile file;
    if (file.openForReading())
        readSettings(file, settings);
    else
        settings = Settings{500, true, 5000};
    return 0;
}

// The first value goes out as its 32 bits read unsigned, so a negative one
// becomes a number above 2147483647 that the loader refuses. No line end
// follows the last value.
std::string formatSettings(std::int32_t sleepTime, bool displayAlert, std::int32_t alertTime)
{
    return std::to_string(static_cast<std::uint32_t>(sleepTime)) + (displayAlert ? " 1 " : " 0 ")
        + std::to_string(alertTime);
}
