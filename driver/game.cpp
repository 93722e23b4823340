#include "driver/game.h"

#include "cards/cards.h"
#include "cards/deck.h"
#include "core/random.h"
#include "driver/regions.h"
#include "driver/standings.h"
#include "driver/standings_check.h"
#include "match/match.h"

#include <array>
#include <istream>
#include <ostream>
#include <string>

namespace realmsfall {

namespace {

constexpr int LETTER_ROWS = 7;

// The block letters of the title, each seven rows of seven columns.
using BlockLetter = std::array<const char*, LETTER_ROWS>;
// clang-format off
constexpr BlockLetter R = {"RRRRRR ", "R     R", "R     R", "RRRRRR ", "R   R  ", "R    R ", "R     R"};
constexpr BlockLetter E = {"EEEEEEE", "E      ", "E      ", "EEEEE  ", "E      ", "E      ", "EEEEEEE"};
constexpr BlockLetter A = {" AAAAA ", "A     A", "A     A", "AAAAAAA", "A     A", "A     A", "A     A"};
constexpr BlockLetter L = {"L      ", "L      ", "L      ", "L      ", "L      ", "L      ", "LLLLLLL"};
constexpr BlockLetter M = {"M     M", "MM   MM", "M M M M", "M  M  M", "M     M", "M     M", "M     M"};
constexpr BlockLetter S = {" SSSSS ", "S     S", "S      ", " SSSSS ", "      S", "S     S", " SSSSS "};
constexpr BlockLetter F = {"FFFFFFF", "F      ", "F      ", "FFFFF  ", "F      ", "F      ", "F      "};
// clang-format on
constexpr const BlockLetter* TITLE[] = {&R, &E, &A, &L, &M, &S, &F, &A, &L, &L};

String bannerRow(int row) {
    String line;
    bool first = true;
    for (const BlockLetter* letter : TITLE) {
        if (!first) {
            line += ' ';
        }
        line += (*letter)[row];
        first = false;
    }
    String trimmed;
    std::uint32_t end = line.length();
    while (end > 0 && line[end - 1] == ' ') {
        --end;
    }
    for (std::uint32_t i = 0; i < end; ++i) {
        trimmed += line[i];
    }
    return trimmed;
}

// The name prompt looks only at the very first character typed for the "~" that marks the end
// of the standings file; only the first word typed is the name. NUL bytes, which would cut the
// name short on the screen and in the file, are left out of it; a word of nothing else is asked
// for again.
String promptName(Console& console) {
    String scratch;
    for (;;) {
        console.out << "Player, enter your name: ";
        requireInput(console);
        if (console.in.peek() == '~') {
            console.out << "Name may not start with a ~.\n";
            readLine(console.in, scratch);
            continue;
        }
        String typed;
        readWord(console, typed);
        readLine(console.in, scratch);
        std::string kept(typed.c_str(), typed.length());
        std::erase(kept, '\0');
        String name;
        name.append(kept.data(), static_cast<std::uint32_t>(kept.size()));
        if (name.length() > 0) {
            return name;
        }
    }
}

// Looks the player up and loads everybody else's records.
Standings greetPlayer(Console& console, const std::string& path, PlayerRecord& player) {
    if (findPlayer(path, player)) {
        console.out << "Player file found.\n";
    } else {
        console.out << "New player!\nView rules and unit lists in RMF_RULES.txt\n";
        player = PlayerRecord{player.name};
    }
    return loadStandings(path, player.name);
}

void reportSaveFailure(Console& console, const std::string& path, const SaveFailure& failure) {
    if (failure) {
        console.err << "realmsfall: the results could not be saved to " << path << ": " << *failure
                    << std::endl;
    }
}

void save(Console& console, const std::string& path, const Standings& standings,
          const PlayerRecord& player) {
    reportSaveFailure(console, path, writeStandings(path, standings, player));
}

// A damaged or unreadable file is named on the error stream and left as it is; a missing or
// empty one is started afresh. Returns whether the run can go on.
bool prepareStandings(Console& console, const std::string& path) {
    if (const std::optional<StandingsDamage> damage = checkStandingsFile(path)) {
        console.err << "realmsfall: " << describe(path, *damage) << std::endl;
        return false;
    }
    reportSaveFailure(console, path, ensureStandingsFile(path));
    return true;
}

void printRecord(std::ostream& out, const PlayerRecord& r) {
    out << "Your current stats are:"
        << "\nWins     : " << r.wins << "\nLosses   : " << r.losses << "\nPercent  : " << r.percent
        << "%\nGames    : " << r.games << "\nOverkills: " << r.overkills
        << "\n\nPlease choose a region.\n";
}

bool wantsAnotherGame(Console& console) {
    console.out << "\nWould you like to play again? ";
    const int first = console.in.peek();
    String scratch;
    readLine(console.in, scratch);
    endLine(console.out);
    return first == 'y' || first == 'Y';
}

// One game: region choice, seeding, the deal, the match and its booking.
void playOneGame(Console& console, PlayerRecord& player, std::int32_t& seedCounter,
                 const RegionTable& regions, const CardNames& cardNames) {
    printRecord(console.out, player);
    listRegions(console.out, regions);
    const int playerRegion = promptRegion(console, regions);
    srand(seedCounter);
    seedCounter = plusOne(seedCounter);
    const int computerRegion = drawComputerRegion(playerRegion);
    console.out << player.name << ", you now rule the region of " << regions[playerRegion]
                << "\n\nThe computer will play as the Lord of " << regions[computerRegion] << ".\n";
    Hand playerHand;
    Hand computerHand;
    dealHands(playerHand, computerHand);
    const std::int32_t result = playMatch(console, playerHand, computerHand, cardNames,
                                          regions[playerRegion], regions[computerRegion]);
    if (bookGame(player, result)) {
        console.out << "OVERKILL!!\n";
    }
}

} // namespace

void printBanner(std::ostream& out) {
    out << "\n";
    for (int row = 0; row < LETTER_ROWS; ++row) {
        out << bannerRow(row) << "\n";
    }
    out << "\n"
        << "                   (version 2.1.1)"
        << "\n\n";
}

int runGame(Console& console, const std::string& standingsPath) {
    printBanner(console.out);
    if (!prepareStandings(console, standingsPath)) {
        return EXIT_DAMAGED_STANDINGS;
    }
    PlayerRecord player;
    Standings standings;
    try {
        player.name = promptName(console);
        standings = greetPlayer(console, standingsPath, player);
        RegionTable regions;
        fillRegionTable(regions);
        CardNames cardNames;
        fillCardNames(cardNames);
        console.out << "\nWelcome, " << player.name << ", to Realmsfall!";
        endLine(console.out);
        do {
            playOneGame(console, player, standings.seedCounter, regions, cardNames);
        } while (wantsAnotherGame(console));
    } catch (const InputEnded&) {
        // The unfinished game is not booked; the finished ones are kept. Before a name was
        // given there is nobody to keep.
        if (player.name.length() > 0) {
            save(console, standingsPath, standings, player);
        }
        return EXIT_INPUT_ENDED;
    }
    save(console, standingsPath, standings, player);
    endLine(console.out);
    return 0;
}

} // namespace realmsfall
