#include "driver/scores.h"

#include "driver/game.h"
#include "driver/standings.h"
#include "driver/standings_file.h"

#include <algorithm>
#include <array>
#include <iomanip>
#include <ostream>
#include <string_view>

namespace realmsfall {

namespace {

constexpr std::size_t RECORD_NUMBERS = 5;

std::array<std::int32_t, RECORD_NUMBERS> numbersOf(const PlayerRecord& record) {
    return {record.wins, record.losses, record.percent, record.games, record.overkills};
}

// Most wins first, then the best percent, then names in the order of their bytes.
bool ranksBefore(const PlayerRecord& a, const PlayerRecord& b) {
    if (a.wins != b.wins) {
        return a.wins > b.wins;
    }
    if (a.percent != b.percent) {
        return a.percent > b.percent;
    }
    return a.name < b.name;
}

// The name column as wide as the longest name, each number column as its widest number, the
// numbers to the right; one blank between columns.
void printTable(std::ostream& out, const std::vector<PlayerRecord>& records) {
    std::size_t nameWidth = 0;
    std::array<std::size_t, RECORD_NUMBERS> widths{};
    for (const PlayerRecord& record : records) {
        nameWidth = std::max<std::size_t>(nameWidth, record.name.length());
        const auto numbers = numbersOf(record);
        for (std::size_t i = 0; i < widths.size(); ++i) {
            widths[i] = std::max(widths[i], std::to_string(numbers[i]).size());
        }
    }
    for (const PlayerRecord& record : records) {
        out << std::left << std::setw(static_cast<int>(nameWidth))
            << printable({record.name.c_str(), record.name.length()}) << std::right;
        const auto numbers = numbersOf(record);
        for (std::size_t i = 0; i < widths.size(); ++i) {
            out << ' ' << std::setw(static_cast<int>(widths[i])) << numbers[i];
        }
        out << '\n';
    }
}

} // namespace

int printScores(Console& console, const std::string& standingsPath) {
    auto opened = openStandings(standingsPath, false);
    if (const auto* damage = std::get_if<StandingsDamage>(&opened)) {
        complain(console, describe(standingsPath, *damage));
        return EXIT_DAMAGED_STANDINGS;
    }
    if (std::holds_alternative<StartInterrupted>(opened)) {
        return EXIT_INPUT_ENDED;
    }
    auto read = readAllStandings(std::get<StartingStandings>(opened).text);
    if (const auto* damage = std::get_if<StandingsDamage>(&read)) {
        complain(console, describe(standingsPath, *damage));
        return EXIT_DAMAGED_STANDINGS;
    }
    AllStandings& all = std::get<AllStandings>(read);
    std::stable_sort(all.records.begin(), all.records.end(), ranksBefore);
    printTable(console.out, all.records);
    console.out << "Seed counter: " << all.seedCounter << std::endl;
    return 0;
}

} // namespace realmsfall
