#include "driver/scores.h"

#include "driver/game.h"
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

// The name column as wide as the longest name, each number column as its widest number, the
// numbers to the right; one blank between columns.
void printTable(std::ostream& out, const std::vector<PlayerRecord>& records) {
    std::size_t nameWidth = 0;
    std::array<std::size_t, RECORD_NUMBERS.size()> widths{};
    for (const PlayerRecord& record : records) {
        nameWidth = std::max<std::size_t>(nameWidth, record.name.length());
        for (std::size_t i = 0; i < widths.size(); ++i) {
            widths[i] = std::max(widths[i], std::to_string(record.*RECORD_NUMBERS[i]).size());
        }
    }
    for (const PlayerRecord& record : records) {
        out << std::left << std::setw(static_cast<int>(nameWidth)) << printable(view(record.name))
            << std::right;
        for (std::size_t i = 0; i < widths.size(); ++i) {
            out << ' ' << std::setw(static_cast<int>(widths[i])) << record.*RECORD_NUMBERS[i];
        }
        out << '\n';
    }
}

} // namespace

int printScores(Console& console, const std::string& standingsPath) {
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
    printTable(console.out, all.records);
    console.out << "Seed counter: " << all.seedCounter << std::endl;
    return 0;
}

} // namespace realmsfall
