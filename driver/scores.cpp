#include "driver/scores.h"

#include "driver/complaints.h"
#include "driver/standings.h"
#include "driver/standings_file.h"

#include <algorithm>
#include <array>
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

// The widest the name column grows.
constexpr std::size_t NAME_COLUMN = 24;

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

// Under the heads, the name column as wide as the longest name or its head, up to NAME_COLUMN: a
// longer name runs into the numbers of its own row only. Each number column is as wide as its
// widest number or its head.
void printTable(std::ostream& out, const std::vector<PlayerRecord>& records) {
    std::size_t nameWidth = NAME_HEAD.size();
    std::array<std::size_t, RECORD_NUMBERS.size()> widths{};
    for (std::size_t i = 0; i < widths.size(); ++i) {
        widths[i] = NUMBER_HEADS[i].size();
    }
    for (const PlayerRecord& record : records) {
        nameWidth = std::clamp<std::size_t>(record.name.length(), nameWidth, NAME_COLUMN);
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

} // namespace

int printScores(Console& console, const std::string& standingsPath) {
    auto opened = openOrComplain(console, standingsPath, false);
    if (const int* status = std::get_if<int>(&opened)) {
        return *status;
    }
    const StartingStandings& start = std::get<StartingStandings>(opened);
    if (!start.exists) {
        console.out << "No standings yet: " << standingsPath << " does not exist." << std::endl;
        return 0;
    }
    auto read = readAllStandings(start.text);
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
