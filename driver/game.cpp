#include "driver/game.h"

#include "cards/cards.h"
#include "cards/deck.h"
#include "core/random.h"
#include "driver/complaints.h"
#include "driver/deal.h"
#include "driver/levels.h"
#include "driver/regions.h"
#include "driver/standings.h"
#include "driver/standings_file.h"
#include "match/match.h"

#include <array>
#include <cstring>
#include <istream>
#include <ostream>
#include <string>
#include <utility>

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

std::string bannerRow(int row) {
    std::string line;
    for (const BlockLetter* letter : TITLE) {
        line.append((*letter)[row]).append(" ");
    }
    line.erase(line.find_last_not_of(' ') + 1); // no blanks at the end of a row
    return line;
}

// The name prompt looks only at the very first character typed for the "~" that marks the end
// of the standings file; only the first word typed is the name. NUL bytes, which would cut the
// name short on the screen and in the file, are left out of it; a word of nothing else is asked
// for again.
String promptName(Console& console) {
    for (;;) {
        console.out << "Player, enter your name: ";
        requireInput(console);
        if (peekKey(console) == '~') {
            console.out << "Name may not start with a ~.\n";
            dropLine(console);
            continue;
        }
        String typed;
        requireWord(console, typed);
        dropLine(console);
        if (std::memchr(typed.c_str(), '\0', typed.length()) == nullptr) {
            return typed;
        }
        std::string kept(view(typed));
        std::erase(kept, '\0');
        if (!kept.empty()) {
            String name;
            name.append(kept.data(), static_cast<std::uint32_t>(kept.size()));
            return name;
        }
    }
}

void printRecord(std::ostream& out, const PlayerRecord& record) {
    out << "Your current stats are:"
        << "\nWins     : " << record.wins << "\nLosses   : " << record.losses
        << "\nPercent  : " << record.percent << "%\nGames    : " << record.games
        << "\nOverkills: " << record.overkills << "\n\nPlease choose a region.\n";
}

bool wantsAnotherGame(Console& console) {
    console.out << "\nWould you like to play again? ";
    if (endRequested(console)) {
        endLine(console.out);
        return false;
    }
    const int first = peekKey(console);
    dropLine(console);
    endLine(console.out);
    return first == 'y' || first == 'Y';
}

// The run's player: the record as the file held it at start-up, and the games of this run.
struct Player {
    PlayerRecord atStart;
    RunTally tally;
};

// One game: region choice, seeding, the deal, the match and its booking.
void playOneGame(Console& console, Player& player, std::int32_t& seedCounter,
                 const RegionTable& regions, const CardNames& cardNames, const Level& level) {
    printRecord(console.out, withGames(player.atStart, player.tally));
    listRegions(console.out, regions);
    const int playerRegion = promptRegion(console, regions);
    const std::int32_t seed = seedCounter;
    const Deal deal = setUpDeal(seed, playerRegion);
    countSeeded(player.tally, seedCounter);
    console.out << player.atStart.name << ", you now rule the region of " << regions[playerRegion]
                << "\n\nThe computer will play as the Lord of " << regions[deal.computerRegion]
                << ".\n";
    const std::int32_t result =
        playMatch(console, deal.playerHand, deal.computerHand, cardNames, regions[playerRegion],
                  regions[deal.computerRegion], Seats{nullptr, &level, seed});
    if (bookGame(player.tally, result)) {
        console.out << "OVERKILL!!\n";
    }
}

// What the file holds under the player's name, and the counter. The start-up text goes once it
// has been read: the save reads the file again, afresh.
std::variant<PlayerStandings, StandingsDamage> lookUp(std::string& text, const String& name) {
    auto reading = readStandings(text, name);
    std::string().swap(text);
    return reading;
}

// Greets the player as found or new, and takes over the record found.
void greet(Console& console, const PlayerStandings& standings, PlayerRecord& player) {
    if (!standings.found) {
        console.out << "New player!\nView rules and unit lists in RMF_RULES.txt\n";
        return;
    }
    console.out << "Player file found.\n";
    String name = std::move(player.name);
    player = standings.record;
    player.name = std::move(name);
}

// The games of the run, added to the file as it stands now.
std::optional<FileTrouble> save(Console& console, const StartingStandings& start,
                                const std::string& path, const Player& player) {
    Recovery recovery = Recovery::NONE;
    auto trouble = saveStandings(
        start.home, waitingLine(console, path),
        [&player](std::string_view current, const std::function<void(std::string_view)>& write) {
            return writeBack(current, player.atStart.name, player.tally, write);
        },
        recovery);
    noteRecovery(console, path, recovery);
    return trouble;
}

// Everything from the name prompt to the last game; the start-up text is released once read.
// Returns the exit status before the save.
int playRun(Console& console, const std::string& path, std::string& text, Player& player,
            std::optional<std::int32_t> deal, const Level& level) {
    try {
        player.atStart.name = promptName(console);
        const auto reading = lookUp(text, player.atStart.name);
        if (const auto* damage = std::get_if<StandingsDamage>(&reading)) {
            endLine(console.out);
            return complainOfDamage(console, path, *damage);
        }
        const PlayerStandings& standings = std::get<PlayerStandings>(reading);
        greet(console, standings, player.atStart);
        std::int32_t seedCounter = deal.value_or(standings.seedCounter);
        RegionTable regions;
        fillRegionTable(regions);
        CardNames cardNames;
        fillCardNames(cardNames);
        console.out << "\nWelcome, " << player.atStart.name << ", to Realmsfall!";
        endLine(console.out);
        do {
            playOneGame(console, player, seedCounter, regions, cardNames, level);
        } while (wantsAnotherGame(console));
    } catch (const InputEnded&) {
        // The unfinished game is not booked; the finished ones are kept.
        return EXIT_INPUT_ENDED;
    }
    return endRequested(console) ? EXIT_INPUT_ENDED : 0;
}

} // namespace

void printBanner(std::ostream& out) {
    out << "\n";
    for (int row = 0; row < LETTER_ROWS; ++row) {
        out << bannerRow(row) << "\n";
    }
    out << "\n"
        << "                   (version " REALMSFALL_VERSION ")"
        << "\n\n";
}

int runGame(Console& console, const std::string& standingsPath, std::optional<std::int32_t> deal,
            const Level& level) {
    auto opened = openOrComplain(console, standingsPath, !deal, [&] {
        if (deal) {
            console.out << "Practice deal " << *deal << ": your record is shown but not kept.\n";
        }
        announceLevel(console.out, level, standingsPath, deal.has_value());
        printBanner(console.out);
    });
    if (const int* status = std::get_if<int>(&opened)) {
        return *status;
    }
    StartingStandings& start = std::get<StartingStandings>(opened);
    if (const auto damage = counterDamage(start.text)) {
        return complainOfDamage(console, standingsPath, *damage);
    }
    Player player;
    const int status = playRun(console, standingsPath, start.text, player, deal, level);
    if (status == EXIT_DAMAGED_STANDINGS) {
        return status;
    }
    // A run that completed no game leaves the file as it is, and so does a numbered deal.
    std::optional<FileTrouble> trouble;
    if (player.tally.games > 0 && !deal) {
        trouble = save(console, start, standingsPath, player);
    }
    if (trouble) {
        complainOfSave(console, standingsPath, *trouble);
    }
    if (status == 0) {
        endLine(console.out);
    }
    return trouble ? EXIT_NOT_SAVED : endRequested(console) ? EXIT_INPUT_ENDED : status;
}

} // namespace realmsfall
