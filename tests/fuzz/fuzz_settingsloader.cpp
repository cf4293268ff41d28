// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Feeds the settings loader arbitrary bytes and checks, for every input:
// - the loader fills the record that the reading rules give, as worked out
//   here apart from it (Model);
// - it reads no further than it must. The needed bytes are those up to and
//   including the one that ends the reading: the byte after the third value,
//   or the byte that stopped an earlier one. The loader may take a whole
//   buffer at a time, but may call read() only while a needed byte is still
//   unread, or once more, getting nothing, when the reading runs into the end
//   of the input. Run again on reads of one byte each, this pins what it
//   consumes to exactly the needed bytes;
// - the text that saving writes for the record loads back as the record, or
//   as 0 / true / 0 when the first value is negative: saved unsigned, it
//   comes back out of range and stops the load.
// Crashes, hangs and sanitizer reports are libFuzzer's and the sanitizers'.
#include "settings.h"
#include "settingsfile.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "fuzz_settingsloader: %s\n", what);
    std::abort();
}

void require(bool condition, const char* what)
{
    if (!condition)
        fail(what);
}

// What the reading rules give for one input, worked out apart from the
// loader: the record, and how far the loader has to look to decide it.
struct Expected
{
    Settings record;
    // Bytes up to and including the one that ends the reading: the byte after
    // the third value, or the byte that stopped an earlier one.
    std::size_t needed = 0;
    // The reading ran into the end of the input, which the loader can learn
    // only from one read that returns nothing.
    bool reachesEnd = false;
};

enum class Kind { Nothing, NoDigits, Number, OutOfRange };

struct Token
{
    Kind kind;
    std::int32_t value = 0;
};

class Model
{
public:
    explicit Model(std::string_view text) : text(text) {}

    Token next()
    {
        const std::size_t start = text.find_first_not_of(" \t\n\v\f\r", pos);
        if (start == std::string_view::npos)
            return decidedAt(text.size(), {Kind::Nothing});
        const bool negative = text[start] == '-';
        const std::size_t first = start + (negative || text[start] == '+' ? 1 : 0);
        const std::size_t stop = std::min(text.find_first_not_of("0123456789", first), text.size());
        if (stop == first)
            return decidedAt(first, {Kind::NoDigits});
        return number(text.substr(first, stop - first), negative, first);
    }

    Expected result(const Settings& record) const { return {record, needed, reachesEnd}; }

private:
    // The digits are compared as text, so no arithmetic can overflow here.
    Token number(std::string_view digits, bool negative, std::size_t first)
    {
        const std::size_t zeros = std::min(digits.find_first_not_of('0'), digits.size());
        const std::string_view significant = digits.substr(zeros);
        const std::string_view limit = negative ? "2147483648" : "2147483647";
        if (significant.size() >= 10 && significant.substr(0, 10) > limit)
            return decidedAt(first + zeros + 9, {Kind::OutOfRange});
        if (significant.size() > 10)
            return decidedAt(first + zeros + 10, {Kind::OutOfRange});
        const std::int64_t magnitude = significant.empty() ? 0 : std::stoll(std::string(significant));
        pos = first + digits.size();
        return decidedAt(pos, {Kind::Number, static_cast<std::int32_t>(negative ? -magnitude : magnitude)});
    }

    Token decidedAt(std::size_t index, Token token)
    {
        needed = std::max(needed, std::min(index + 1, text.size()));
        reachesEnd = reachesEnd || index >= text.size();
        return token;
    }

    std::string_view text;
    std::size_t pos = 0;
    std::size_t needed = 0;
    bool reachesEnd = false;
};

Expected expect(std::string_view text)
{
    Model model(text);
    Settings record;
    const Token interval = model.next();
    if (interval.kind != Kind::Number)
        return model.result(record);
    record.sleepTime = interval.value;
    const Token flag = model.next();
    if (flag.kind == Kind::Nothing)
        return model.result(record);
    record.displayAlert = flag.kind == Kind::OutOfRange || (flag.kind == Kind::Number && flag.value != 0);
    if (flag.kind != Kind::Number || (flag.value != 0 && flag.value != 1))
        return model.result(record);
    const Token alert = model.next();
    if (alert.kind == Kind::Number)
        record.alertTime = alert.value;
    return model.result(record);
}

// Serves the input in reads of at most `largestRead` bytes. A read is due
// only while a byte the reading needs is still unserved, or once, returning
// nothing, when the reading runs into the end of the input.
class CheckedSource final : public ByteSource
{
public:
    CheckedSource(std::string_view bytes, std::size_t largestRead, const Expected& expected)
        : bytes(bytes), largestRead(largestRead), expected(expected)
    {
    }

    std::size_t read(char* buffer, std::size_t size) override
    {
        const bool wantsNeededByte = served < expected.needed;
        const bool looksForEnd = expected.reachesEnd && served == bytes.size() && !endServed;
        require(wantsNeededByte || looksForEnd, "the loader read past the bytes that decide its reading");
        const std::size_t count = std::min({size, largestRead, bytes.size() - served});
        std::memcpy(buffer, bytes.data() + served, count);
        served += count;
        endServed = endServed || count == 0;
        return count;
    }

    // The loader cannot have decided without the bytes, and the end, that
    // the rules say decide the record.
    bool sawEverythingNeeded() const { return served >= expected.needed && endServed == expected.reachesEnd; }

private:
    std::string_view bytes;
    std::size_t largestRead;
    const Expected& expected;
    std::size_t served = 0;
    bool endServed = false;
};

bool operator==(const Settings& a, const Settings& b)
{
    return a.sleepTime == b.sleepTime && a.displayAlert == b.displayAlert && a.alertTime == b.alertTime;
}

// Single-byte reads make the check exact: the loader must then ask for
// precisely the needed bytes. Full reads exercise its buffer.
Settings loadChecked(std::string_view bytes, const Expected& expected)
{
    Settings loaded;
    for (const std::size_t largestRead : {std::size_t{1}, std::numeric_limits<std::size_t>::max()}) {
        CheckedSource source(bytes, largestRead, expected);
        loaded = Settings{};
        readSettings(source, loaded);
        require(source.sawEverythingNeeded(), "the loader decided without reading the bytes that decide it");
        require(loaded == expected.record, "the loader filled a record other than the reading rules give");
    }
    return loaded;
}

// The saved text goes through the same checked load as the fuzzed input.
Settings reloadAfterSaving(const Settings& record)
{
    const std::string saved = formatSettings(record.sleepTime, record.displayAlert, record.alertTime);
    return loadChecked(saved, expect(saved));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const Settings loaded = loadChecked(bytes, expect(bytes));
    // The first value is saved unsigned, so a negative one comes back as a
    // number past the loader's range, which stops the load at once.
    const Settings saveable = loaded.sleepTime >= 0 ? loaded : Settings{};
    require(reloadAfterSaving(loaded) == saveable, "saving the loaded record and loading it again changed it");
    return 0;
}
