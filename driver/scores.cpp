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

constexpr std::array<std::string_view, 5> NUMBER_HEADINGS = {"Wins", "Losses", "Percent", "Games",
                                                             "Overkills"};
constexpr std::string_view NAME_HEADING = "Name";
constexpr const char* GAP = "  ";

std::array<std::int32_t, 5> numbersOf(const PlayerRecord& record) {
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

// Each column as wide as its heading or its widest entry.
void printTable(std::ostream& out, const std::vector<PlayerRecord>& records) {
    std::size_t nameWidth = NAME_HEADING.size();
    std::array<std::size_t, 5> widths{};
    for (std::size_t i = 0; i < widths.size(); ++i) {
        widths[i] = NUMBER_HEADINGS[i].size();
    }
    for (const PlayerRecord& record : records) {
        nameWidth = std::max<std::size_t>(nameWidth, record.name.length());
        const auto numbers = numbersOf(record);
        for (std::size_t i = 0; i < widths.size(); ++i) {
            widths[i] = std::max(widths[i], std::to_string(numbers[i]).size());
        }
    }
    const auto row = [&](std::string_view name, const auto& column) {
        out << std::left << std::setw(static_cast<int>(nameWidth)) << name << std::right;
        for (std::size_t i = 0; i < widths.size(); ++i) {
            out << GAP << std::setw(static_cast<int>(widths[i])) << column(i);
        }
        out << '\n';
    };
    row(NAME_HEADING, [](std::size_t i) { return NUMBER_HEADINGS[i]; });
    for (const PlayerRecord& record : records) {
        const auto numbers = numbersOf(record);
        row(printable({record.name.c_str(), record.name.length()}),
            [&numbers](std::size_t i) { return numbers[i]; });
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
