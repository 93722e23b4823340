#include "driver/scores.h"

#include "driver/game.h"
#include "driver/standings.h"
#include "driver/standings_file.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <iomanip>
#include <ostream>
#include <string_view>
#include <tuple>

namespace realmsfall {

namespace {

// Most wins first, then the best percent, then names in the order of their bytes: `a` and `b`
// trade places for the two numbers, which rank downwards.
bool ranksBefore(const PlayerRecord& a, const PlayerRecord& b) {
    return std::tie(b.wins, b.percent, a.name) < std::tie(a.wins, a.percent, b.name);
}

// The column heads: the name's, then the numbers' in the order of RECORD_NUMBERS.
constexpr std::string_view NAME_HEAD = "Name";
constexpr std::array<std::string_view, RECORD_NUMBERS.size()> NUMBER_HEADS = {
    "Wins", "Losses", "Percent", "Games", "Overkills"};

// One row: the name to the left of its column, the numbers to the right of theirs, one blank
// between columns.
template <typename Number>
void printRow(std::ostream& out, std::string_view name,
              const std::array<Number, RECORD_NUMBERS.size()>& numbers, std::size_t nameWidth,
              const std::array<std::size_t, RECORD_NUMBERS.size()>& widths) {
    out << std::left << std::setw(static_cast<int>(nameWidth)) << name << std::right;
    for (std::size_t i = 0; i < widths.size(); ++i) {
        out << ' ' << std::setw(static_cast<int>(widths[i])) << numbers[i];
    }
    out << '\n';
}

// Under the heads, the name column as wide as the longest name or its head, each number column
// as its widest number or its head.
void printTable(std::ostream& out, const std::vector<PlayerRecord>& records) {
    std::size_t nameWidth = NAME_HEAD.size();
    std::array<std::size_t, RECORD_NUMBERS.size()> widths{};
    for (std::size_t i = 0; i < widths.size(); ++i) {
        widths[i] = NUMBER_HEADS[i].size();
    }
    for (const PlayerRecord& record : records) {
        nameWidth = std::max<std::size_t>(nameWidth, record.name.length());
        for (std::size_t i = 0; i < widths.size(); ++i) {
            widths[i] = std::max(widths[i], std::to_string(record.*RECORD_NUMBERS[i]).size());
        }
    }
    printRow(out, NAME_HEAD, NUMBER_HEADS, nameWidth, widths);
    for (const PlayerRecord& record : records) {
        std::array<std::int32_t, RECORD_NUMBERS.size()> numbers{};
        for (std::size_t i = 0; i < numbers.size(); ++i) {
            numbers[i] = record.*RECORD_NUMBERS[i];
        }
        printRow(out, printable(view(record.name)), numbers, nameWidth, widths);
    }
}

// Whether no file stands at `path`, its folder missing perhaps as well; false when that cannot be
// told (a folder on the way that the player may not search), which the reading then reports.
bool missing(const std::string& path) {
    std::error_code unknown;
    return !std::filesystem::exists(path, unknown) && !unknown;
}

} // namespace

int printScores(Console& console, const std::string& standingsPath) {
    if (missing(standingsPath)) {
        console.out << "No standings yet: " << standingsPath << " does not exist." << std::endl;
        return 0;
    }
    auto opened = openStandings(standingsPath, false, waitingLine(console, standingsPath));
    if (const auto* refused = std::get_if<StartRefused>(&opened)) {
        complain(console, refused->complaint);
        return refused->status;
    }
    if (const auto* damage = std::get_if<StandingsDamage>(&opened)) {
        return complainOfDamage(console, standingsPath, *damage);
    }
    if (std::holds_alternative<StartInterrupted>(opened)) {
        return EXIT_INPUT_ENDED;
    }
    auto read = readAllStandings(std::get<StartingStandings>(opened).text);
    if (const auto* damage = std::get_if<StandingsDamage>(&read)) {
        return complainOfDamage(console, standingsPath, *damage);
    }
    AllStandings& all = std::get<AllStandings>(read);
    std::stable_sort(all.records.begin(), all.records.end(), ranksBefore);
    if (all.records.empty()) {
        console.out << "No records yet.\n";
    } else {
        printTable(console.out, all.records);
    }
    console.out << "Seed counter: " << all.seedCounter << std::endl;
    return 0;
}

} // namespace realmsfall
