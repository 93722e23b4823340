#include "driver/standings_check.h"

#include "core/string.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <ios>
#include <iterator>
#include <map>
#include <string_view>
#include <vector>

namespace realmsfall {

namespace {

constexpr std::size_t RECORD_NUMBERS = 5;
constexpr std::size_t QUOTED_MAX = 40;

// The text in double quotes, cut short when long, with unprintable bytes shown as '?'.
std::string quoted(std::string_view text) {
    std::string shown = "\"";
    for (const char c : text.substr(0, QUOTED_MAX)) {
        shown += (c >= ' ' && c <= '~') ? c : '?';
    }
    return shown + (text.size() > QUOTED_MAX ? "...\"" : "\"");
}

bool isGap(char c) {
    return isWhitespace(static_cast<unsigned char>(c));
}

// Where the run of characters from `at` that are (or are not) whitespace ends.
std::size_t skip(std::string_view text, std::size_t at, bool gaps) {
    while (at < text.size() && isGap(text[at]) == gaps) {
        ++at;
    }
    return at;
}

// The words of a line, split where the game's word read splits them.
std::vector<std::string_view> fieldsOf(std::string_view line) {
    std::vector<std::string_view> fields;
    for (std::size_t at = skip(line, 0, true); at < line.size(); at = skip(line, at, true)) {
        const std::size_t end = skip(line, at, false);
        fields.push_back(line.substr(at, end - at));
        at = end;
    }
    return fields;
}

// A whole 32-bit number in decimal, with a minus sign when negative.
bool isNumber(std::string_view text) {
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

// The game starts such a file afresh, as it does a missing or empty one.
bool firstWordReachesEnd(std::string_view text) {
    return skip(text, skip(text, 0, true), false) == text.size();
}

std::optional<std::string> counterProblem(std::string_view line) {
    const std::vector<std::string_view> fields = fieldsOf(line);
    if (fields.size() == 1 && isNumber(fields[0])) {
        return std::nullopt;
    }
    return "the first line should hold the seed counter, a whole number from -2147483648 to "
           "2147483647, but holds " +
           quoted(line);
}

std::optional<std::string> recordProblem(const std::vector<std::string_view>& fields) {
    if (fields.empty()) {
        return "an empty line stands where a player's record or the closing \"~\" should be";
    }
    const std::string name = quoted(fields[0]);
    if (fields.size() < 1 + RECORD_NUMBERS) {
        return "the record of " + name + " has only " + std::to_string(fields.size() - 1) +
               " of its 5 numbers";
    }
    if (fields.size() > 1 + RECORD_NUMBERS) {
        return "the record of " + name + " has more than its 5 numbers";
    }
    for (std::size_t i = 1; i < fields.size(); ++i) {
        if (!isNumber(fields[i])) {
            return "the record of " + name + " holds " + quoted(fields[i]) +
                   " where a whole number from -2147483648 to 2147483647 should be";
        }
    }
    return std::nullopt;
}

// Line by line, up to the closing "~".
std::optional<StandingsDamage> checkText(std::string_view text) {
    std::map<std::string_view, std::int64_t> firstLineOf;
    std::int64_t number = 0;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        ++number;
        if (line.find('\0') != std::string_view::npos) {
            return StandingsDamage{number, "the line holds a NUL byte"};
        }
        if (number == 1) {
            if (auto problem = counterProblem(line)) {
                return StandingsDamage{number, *problem};
            }
            continue;
        }
        // The list ends where a line's first word is "~", as the game reads it.
        const std::vector<std::string_view> fields = fieldsOf(line);
        if (!fields.empty() && fields[0] == "~") {
            return std::nullopt;
        }
        if (auto problem = recordProblem(fields)) {
            return StandingsDamage{number, *problem};
        }
        if (const auto [first, fresh] = firstLineOf.emplace(fields[0], number); !fresh) {
            return StandingsDamage{number, "a second record of " + quoted(fields[0]) +
                                               "; the first is on line " +
                                               std::to_string(first->second)};
        }
    }
    return StandingsDamage{number + 1, "the file ends before the closing \"~\" line"};
}

// The file's bytes, or nothing when they cannot be read (errno then tells why). The stream
// library reports some read errors by throwing; they end up here too.
std::optional<std::string> wholeFile(const std::string& path) {
    errno = 0;
    try {
        std::ifstream in(path, std::ios::binary);
        std::string text{std::istreambuf_iterator<char>(in), {}};
        if (in.is_open() && !in.bad()) {
            return text;
        }
    } catch (const std::ios_base::failure&) {
    }
    return std::nullopt;
}

} // namespace

std::optional<StandingsDamage> checkStandingsFile(const std::string& path) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        return std::nullopt;
    }
    if (std::filesystem::is_directory(status)) {
        return StandingsDamage{0, "cannot be read: it is a folder"};
    }
    const std::optional<std::string> text = wholeFile(path);
    if (!text) {
        return StandingsDamage{0, std::string("cannot be read: ") +
                                      (errno != 0 ? std::strerror(errno) : "read error")};
    }
    if (firstWordReachesEnd(*text)) {
        return std::nullopt;
    }
    return checkText(*text);
}

std::string describe(const std::string& path, const StandingsDamage& damage) {
    const std::string where = damage.line > 0 ? ", line " + std::to_string(damage.line) : "";
    return path + where + ": " + damage.what + "; the file was left as it is";
}

} // namespace realmsfall
