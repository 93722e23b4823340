#include "driver/standings.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

namespace realmsfall {

namespace {

constexpr std::int32_t OVERKILL = -25000;
constexpr std::size_t QUOTED_MAX = 40;
constexpr std::size_t WRITE_CHUNK = std::size_t{1} << 16;

bool isSpace(char c) {
    return isWhitespace(static_cast<unsigned char>(c));
}

// The text in double quotes, cut short when long, with unprintable bytes shown as '?'.
std::string quoted(std::string_view text) {
    std::string shown = "\"";
    shown += printable(text.substr(0, QUOTED_MAX));
    shown += text.size() > QUOTED_MAX ? "...\"" : "\"";
    return shown;
}

// One reading of the file's text from its start, as far as it gets.
struct Reading {
    explicit Reading(std::string_view whole) : text(whole) {}
    std::string_view text;
    std::size_t at = 0;
    std::optional<StandingsDamage> damage;
};

bool fail(Reading& reading, std::size_t at, std::string what) {
    assert(at <= reading.text.size());
    const auto line = std::count(reading.text.begin(), reading.text.begin() + at, '\n') + 1;
    reading.damage = StandingsDamage{line, std::move(what)};
    return false;
}

bool atEnd(const Reading& reading) {
    return reading.at >= reading.text.size();
}

void skipSpace(Reading& reading) {
    while (!atEnd(reading) && isSpace(reading.text[reading.at])) {
        ++reading.at;
    }
}

// Text that a String is to hold: no NUL byte, and not longer than a String can be.
bool holdable(Reading& reading, std::size_t start) {
    const std::string_view taken = reading.text.substr(start, reading.at - start);
    if (const std::size_t nul = taken.find('\0'); nul != std::string_view::npos) {
        return fail(reading, start + nul, "the line holds a NUL byte");
    }
    if (taken.size() > String::MAX_LENGTH) {
        return fail(reading, start, "the line holds a text longer than the game can hold");
    }
    return true;
}

// The word read. Reaching the end of the file without a word means the reading found no "~"
// where it needed one.
bool takeWord(Reading& reading, std::string_view& word) {
    skipSpace(reading);
    const std::size_t start = reading.at;
    while (!atEnd(reading) && !isSpace(reading.text[reading.at])) {
        ++reading.at;
    }
    if (!holdable(reading, start)) {
        return false;
    }
    if (reading.at == start) {
        return fail(reading, start, "the file ends before the closing \"~\" line");
    }
    word = reading.text.substr(start, reading.at - start);
    return true;
}

// The line read into a scratch string: the rest of the line and its newline go.
bool dropLine(Reading& reading) {
    const std::size_t start = reading.at;
    const std::size_t end = std::min(reading.text.find('\n', start), reading.text.size());
    reading.at = end;
    if (!holdable(reading, start)) {
        return false;
    }
    reading.at = std::min(end + 1, reading.text.size());
    return true;
}

// Whose number a reading takes: the counter, or number `index` (from 1) of the record of `name`.
struct NumberOf {
    std::string_view name;
    int index = 0;
};

std::string describe(const NumberOf& whose) {
    if (whose.index == 0) {
        return "the seed counter on the first line";
    }
    return "number " + std::to_string(whose.index) + " of the record of " + quoted(whose.name);
}

// The integer read: leading whitespace, an optional sign, decimal digits, all within 32 bits.
// What follows the digits is left for the next read, even within a word.
bool takeInteger(Reading& reading, std::int32_t& value, const NumberOf& whose) {
    skipSpace(reading);
    const std::size_t start = reading.at;
    const std::string_view text = reading.text;
    bool negative = false;
    if (!atEnd(reading) && (text[reading.at] == '+' || text[reading.at] == '-')) {
        negative = text[reading.at] == '-';
        ++reading.at;
    }
    const std::size_t digits = reading.at;
    std::int64_t magnitude = 0;
    constexpr std::int64_t BEYOND = std::int64_t{1} << 31;
    while (!atEnd(reading) && text[reading.at] >= '0' && text[reading.at] <= '9') {
        magnitude = std::min(magnitude * 10 + (text[reading.at] - '0'), BEYOND + 1);
        ++reading.at;
    }
    const std::int64_t number = negative ? -magnitude : magnitude;
    if (reading.at == digits || number > BEYOND - 1 || number < -BEYOND) {
        std::size_t end = start;
        while (end < text.size() && !isSpace(text[end])) {
            ++end;
        }
        const std::string found = end == start
                                      ? "the file ends there"
                                      : quoted(text.substr(start, end - start)) + " stands there";
        return fail(reading, start,
                    describe(whose) +
                        " should be a whole number from -2147483648 to 2147483647, but " + found);
    }
    value = static_cast<std::int32_t>(number);
    return true;
}

// The five numbers after a record's name.
bool takeNumbers(Reading& reading, std::string_view name, PlayerRecord& record) {
    int nth = 0;
    for (const auto number : RECORD_NUMBERS) {
        if (!takeInteger(reading, record.*number, NumberOf{name, ++nth})) {
            return false;
        }
    }
    return true;
}

bool isName(std::string_view word, const String& name) {
    return word == view(name);
}

// The lookup: after the first word, the counter, each line's first word is a name; the rest of
// another player's line is passed over. It stops at the first "~" or at the player's record.
// This goes on with it from a line's start, after the counter.
bool findPlayer(Reading& reading, const String& name, PlayerStandings& standings) {
    std::string_view word;
    for (;;) {
        if (!takeWord(reading, word)) {
            return false;
        }
        if (word == "~") {
            return true;
        }
        if (isName(word, name)) {
            standings.found = true;
            return takeNumbers(reading, word, standings.record);
        }
        if (!dropLine(reading)) {
            return false;
        }
    }
}

constexpr NumberOf COUNTER{};

// Where the number that starts at `at` ends when it is written as appendNumber writes it: an
// optional minus, then digits with no leading zero, within 32 bits, and not "-0". Nothing
// otherwise.
const char* numberAsWritten(const char* at, const char* end) {
    const char* const digits = at != end && *at == '-' ? at + 1 : at;
    constexpr std::ptrdiff_t MOST_DIGITS =
        10; // one more is beyond 32 bits, so the look stops there
    const char* past = digits;
    std::int64_t magnitude = 0;
    while (past != end && past - digits <= MOST_DIGITS && *past >= '0' && *past <= '9') {
        magnitude = magnitude * 10 + (*past - '0');
        ++past;
    }
    const std::int64_t number = digits == at ? magnitude : -magnitude;
    const bool written = past != digits && (past == digits + 1 || *digits != '0') &&
                         !(digits != at && magnitude == 0) && number >= INT32_MIN &&
                         number <= INT32_MAX;
    return written ? past : nullptr;
}

// The length of what follows a record's name up to and with the end of its line, when it is just
// as appendRecord writes it: five numbers, each after one blank, then the newline. 0 otherwise.
// Such a line reads as these numbers, and written back it would come out the same.
std::size_t lineAsWritten(std::string_view rest) {
    const char* at = rest.data();
    const char* const end = at + rest.size();
    for (std::size_t n = 0; n < RECORD_NUMBERS.size(); ++n) {
        at = at != end && *at == ' ' ? numberAsWritten(at + 1, end) : nullptr;
        if (at == nullptr) {
            return 0;
        }
    }
    return at != end && *at == '\n' ? static_cast<std::size_t>(at + 1 - rest.data()) : 0;
}

// The records of the load, after the counter: a name and five numbers, which may run across
// lines, up to the first "~". The player's own lines are passed over; every other record goes to
// `keep`, but for one whose line is just as it would be written back, when there is a `copy` to
// take that line (from the name to the newline) as it stands.
template <typename Keep, typename Copy = std::nullptr_t>
bool readOthers(Reading& reading, const String& name, Keep keep, Copy copy = nullptr) {
    std::string_view word;
    PlayerRecord record;
    for (;;) {
        if (!takeWord(reading, word)) {
            return false;
        }
        if (word == "~") {
            return true;
        }
        if (isName(word, name)) {
            if (!dropLine(reading)) {
                return false;
            }
            continue;
        }
        if constexpr (!std::is_same_v<Copy, std::nullptr_t>) {
            if (const std::size_t rest = lineAsWritten(reading.text.substr(reading.at))) {
                reading.at += rest;
                copy(std::string_view(word.data(), word.size() + rest));
                continue;
            }
        }
        if (takeNumbers(reading, word, record)) {
            keep(word, record);
        } else {
            return false;
        }
    }
}

// The lookup of `name` and the load of the same text, `load` having read the counter when
// `counted`, with the outcome of the lookup run to its end and then the load: the lookup's
// damage first. While the lines are just as they would be written and the player's is not among
// them, both readings are at the same place and take the same lines, so they take them together,
// in one pass; from the first other line each goes on by itself.
template <typename Keep, typename Copy>
std::optional<StandingsDamage> lookUpAndLoad(Reading& load, bool counted, const String& name,
                                             PlayerStandings& found, Keep keep, Copy copy) {
    Reading lookup{load.text};
    std::string_view word;
    takeWord(lookup, word); // the counter, as a word
    bool closed = false;    // both readings have reached the closing "~"
    if (counted && lookup.at == load.at) {
        for (;;) {
            const std::size_t lineStart = lookup.at;
            if (!takeWord(lookup, word)) {
                return lookup.damage;
            }
            const std::size_t rest = lineAsWritten(lookup.text.substr(lookup.at));
            closed = word == "~";
            if (closed || isName(word, name) || rest == 0) {
                lookup.at = lineStart;
                break;
            }
            lookup.at += rest;
            copy(std::string_view(word.data(), word.size() + rest));
        }
        load.at = lookup.at;
    }
    if (!closed && !findPlayer(lookup, name, found)) {
        return lookup.damage;
    }
    if (!counted || (!closed && !readOthers(load, name, keep, copy))) {
        return load.damage;
    }
    return std::nullopt;
}

void appendNumber(std::string& out, std::int32_t n) {
    char digits[sizeof "-2147483648"];
    const auto [end, error] = std::to_chars(std::begin(digits), std::end(digits), n);
    out.append(digits, end);
}

// A record's line: the name and the five numbers, one blank apart.
void appendRecord(std::string& out, std::string_view name, const PlayerRecord& record) {
    out.append(name);
    for (const auto number : RECORD_NUMBERS) {
        out += ' ';
        appendNumber(out, record.*number);
    }
    out += '\n';
}

std::int32_t plus(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

std::int32_t plusOne(std::int32_t n) {
    return plus(n, 1);
}

std::string_view asRead(std::string_view text) {
    return startsAfresh(text) ? FRESH_STANDINGS : text;
}

} // namespace

bool startsAfresh(std::string_view text) {
    const auto first = std::find_if(text.begin(), text.end(), [](char c) { return !isSpace(c); });
    return std::find_if(first, text.end(), isSpace) == text.end();
}

std::optional<std::size_t> endOfStandings(std::string_view text, EndScan& scan) {
    while (scan.at < text.size()) {
        if (scan.lineRuledOut) {
            const std::size_t newline = text.find('\n', scan.at);
            scan.at = newline == std::string_view::npos ? text.size() : newline + 1;
            scan.lineRuledOut = newline == std::string_view::npos;
        } else if (isSpace(text[scan.at])) {
            ++scan.at;
        } else if (text[scan.at] != '~' || !scan.pastCounter) {
            scan.pastCounter = true; // the lookup takes the first word, whatever it is
            scan.lineRuledOut = true;
        } else if (scan.at + 1 == text.size()) {
            return std::nullopt; // the blank after it is still to come
        } else if (isSpace(text[scan.at + 1])) {
            return scan.at + 2;
        } else {
            scan.lineRuledOut = true;
        }
    }
    return std::nullopt;
}

std::optional<StandingsDamage> counterDamage(std::string_view text) {
    Reading reading{asRead(text)};
    std::int32_t counter{};
    takeInteger(reading, counter, COUNTER);
    return reading.damage;
}

std::variant<PlayerStandings, StandingsDamage> readStandings(std::string_view text,
                                                             const String& name) {
    PlayerStandings standings;
    Reading load{asRead(text)};
    const bool counted = takeInteger(load, standings.seedCounter, COUNTER);
    const auto damage = lookUpAndLoad(
        load, counted, name, standings, [](std::string_view, const PlayerRecord&) {},
        [](std::string_view) {});
    if (damage) {
        return *damage;
    }
    return standings;
}

std::variant<AllStandings, StandingsDamage> readAllStandings(std::string_view text) {
    AllStandings all;
    Reading load{asRead(text)};
    const auto keep = [&all](std::string_view name, PlayerRecord record) {
        record.name = String();
        record.name.append(name.data(), static_cast<std::uint32_t>(name.size()));
        all.records.push_back(record);
    };
    if (!takeInteger(load, all.seedCounter, COUNTER) || !readOthers(load, String(), keep)) {
        return *load.damage;
    }
    return all;
}

void countSeeded(RunTally& tally, std::int32_t& seedCounter) {
    seedCounter = plusOne(seedCounter);
    tally.seeded = plusOne(tally.seeded);
}

bool bookGame(RunTally& tally, std::int32_t computerPopulation) {
    if (computerPopulation > 0) {
        tally.losses = plusOne(tally.losses);
    } else {
        tally.wins = plusOne(tally.wins);
    }
    tally.games = plusOne(tally.games);
    const bool overkill = computerPopulation <= OVERKILL;
    if (overkill) {
        tally.overkills = plusOne(tally.overkills);
    }
    return overkill;
}

PlayerRecord withGames(const PlayerRecord& record, const RunTally& tally) {
    PlayerRecord sum{String(),       record.wins,  record.losses,
                     record.percent, record.games, record.overkills};
    if (tally.games == 0) {
        return sum;
    }
    sum.wins = plus(sum.wins, tally.wins);
    sum.losses = plus(sum.losses, tally.losses);
    sum.games = plus(sum.games, tally.games);
    sum.overkills = plus(sum.overkills, tally.overkills);
    // Worked out wide, so that a record grown beyond all reason cannot overflow.
    const std::int64_t wins = sum.wins;
    sum.percent = sum.games == 0 ? 0 : static_cast<std::int32_t>(wins * 100 / sum.games);
    return sum;
}

std::optional<StandingsDamage> writeBack(std::string_view text, const String& name,
                                         const RunTally& tally,
                                         const std::function<void(std::string_view)>& write) {
    PlayerStandings now;
    Reading load{asRead(text)};
    std::int32_t counter{};
    const bool counted = takeInteger(load, counter, COUNTER);
    // Lines that go back as they stand are handed on in runs, straight from the text; the others
    // are written anew into `out`, and each goes out before what follows it.
    std::string out;
    out.reserve(WRITE_CHUNK + 256);
    appendNumber(out, plus(counter, tally.seeded));
    out += '\n';
    std::string_view run;
    const auto endRun = [&] {
        if (!run.empty()) {
            write(run);
            run = {};
        }
    };
    const auto keep = [&](std::string_view other, const PlayerRecord& record) {
        endRun();
        appendRecord(out, other, record);
        if (out.size() >= WRITE_CHUNK) {
            write(out);
            out.clear();
        }
    };
    const auto copy = [&](std::string_view line) {
        if (!out.empty()) {
            write(out);
            out.clear();
        }
        if (!run.empty() && run.data() + run.size() != line.data()) {
            endRun();
        }
        run = std::string_view(run.empty() ? line.data() : run.data(), run.size() + line.size());
    };
    if (auto damage = lookUpAndLoad(load, counted, name, now, keep, copy)) {
        return damage;
    }
    endRun();
    appendRecord(out, view(name), withGames(now.record, tally));
    out += "~\n";
    write(out);
    return std::nullopt;
}

} // namespace realmsfall
