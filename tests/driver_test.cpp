#include "driver/game.h"
#include "driver/regions.h"
#include "driver/standings.h"
#include "support.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace realmsfall {
namespace {

using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::Not;
using testing::ScriptedConsole;
using ::testing::StartsWith;
using testing::TempDir;

std::string readFile(const std::string& path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Region, coin call, then turns spent discarding the first card until the computer wins. The
// empty lines feed the pauses after each turn; spare ones only make the command entry ask again.
const std::string LOSING_GAME = [] {
    std::string keys = "Pongi\nh\n";
    for (int turn = 0; turn < 300; ++turn) {
        keys += "\n\n\n\n14\n1\n";
    }
    return keys;
}();

struct Played {
    std::string screen, file, rest; // the standings file afterwards, and the keys left untouched
};

Played play(const std::string& file, const std::string& keys) {
    TempDir dir;
    const std::string path = dir.file("standings.txt");
    if (!file.empty()) {
        std::ofstream(path) << file;
    }
    ScriptedConsole c(keys);
    EXPECT_EQ(runGame(c.console, path), 0);
    const std::streamoff used = c.in.tellg();
    return {c.screen(), readFile(path), used < 0 ? "" : keys.substr(used)};
}

// The keys of a lost game seeded with `seed`, cut where its match ends, so that the next line
// answers the play-again question.
std::string lostGame(int seed) {
    const Played probe = play(std::to_string(seed) + "\n~\n", "Probe\n" + LOSING_GAME);
    EXPECT_THAT(probe.screen, HasSubstr("lies in ruins.\n")) << "seed " << seed;
    // The play-again question took one line beyond the match's keys.
    return LOSING_GAME.substr(0, LOSING_GAME.size() - probe.rest.size() - 1);
}

TEST(Standings, AMissingOrEmptyFileStartsAtCounterZero) {
    TempDir dir;
    std::ofstream{dir.file("empty")};
    for (const char* name : {"missing", "empty"}) {
        ensureStandingsFile(dir.file(name));
        EXPECT_EQ(readFile(dir.file(name)), "0\n~\n") << name;
    }
}

TEST(Standings, BookingCountsPercentAndOverkills) {
    PlayerRecord one, two; // a computer left at exactly 0 has fallen
    const bool overkills[] = {bookGame(one, 1),      bookGame(one, 0),      bookGame(one, 300000),
                              bookGame(two, -24999), bookGame(two, -25000), bookGame(two, 5)};
    EXPECT_THAT(overkills, ::testing::ElementsAre(false, false, false, false, true, false));
    EXPECT_EQ(one.wins * 100 + one.percent, 133);
    EXPECT_EQ(two.wins * 100 + two.percent, 266);
    EXPECT_EQ(two.games * 10 + two.overkills, 31);
}

TEST(Regions, PromptTakesOnlyTheFirstWordAndRefusesOtherForms) {
    RegionTable table;
    fillRegionTable(table);
    const auto choose = [&table](const char* keys) {
        ScriptedConsole c(keys);
        const int region = promptRegion(c.console, table);
        return table[region].c_str() + ("|" + c.screen());
    };
    EXPECT_EQ(choose("Pongi\n"), "Pongi|Your region? ");
    EXPECT_EQ(choose("pongi\n"), "Pongi|Your region? ");
    EXPECT_EQ(choose("8\n"), "Pongi|Your region? ");
    const std::string no = "Your region? Region name invalid, please re-enter.\n";
    EXPECT_EQ(choose("0\n11\nPONGI\npOngi\n08\n   \n\n  10 Pongi\n"),
              "Soltanu|" + no + no + no + no + no + "Your region? ");
}

TEST(Regions, TheComputerDrawsAgainOnThePlayersRegion) {
    for (const auto& [player, computer, draws] : {std::array{7, 8, 1}, std::array{8, 9, 2}}) {
        srand(0);
        const std::uint32_t before = randomState();
        EXPECT_EQ(drawComputerRegion(player), computer);
        EXPECT_EQ(testing::drawsSince(before), draws);
    }
}

TEST(Game, FirstRunOfANewPlayer) {
    const Played run = play("", "~Ann\nAnn Bee\n" + LOSING_GAME);
    EXPECT_THAT(run.screen,
                StartsWith("\nRRRRRR  EEEEEEE  AAAAA  L       M     M  SSSSS  FFFFFFF"));
    EXPECT_THAT(run.screen, HasSubstr(" LLLLLLL LLLLLLL\n\n                   (version 2.1.1)\n\n"
                                      "Player, enter your name: Name may not start with a ~.\n"
                                      "Player, enter your name: New player!\n"
                                      "View rules and unit lists in RMF_RULES.txt\n\n"
                                      "Welcome, Ann, to Realmsfall!\nYour current stats are:\n"
                                      "Wins     : 0\nLosses   : 0\nPercent  : 0%\nGames    : 0\n"
                                      "Overkills: 0\n\nPlease choose a region.\n1. Dragonridge\n"));
    EXPECT_THAT(run.screen, Not(HasSubstr("Region name invalid"))); // "Bee" went with the name line
    EXPECT_THAT(run.screen, HasSubstr("Ann, you now rule the region of Pongi\n\n"
                                      "The computer will play as the Lord of Beremont.\n"));
    EXPECT_THAT(run.screen, EndsWith("Your Kingdom of Pongi lies in ruins.\n\n"
                                     "Would you like to play again? \n\n"));
    EXPECT_EQ(run.file, "1\nAnn 0 1 0 1 0\n~\n");
}

TEST(Game, AReturningPlayerMovesToTheLastLine) {
    // Other records go back as they were read, percent included; names differ by case alone.
    const std::string others = "bob 4 1 12 5 1\nCid 0 0 0 0 0\n";
    const Played run = play("5\nBob 1 2 99 3 0\n" + others + "~", "Bob\n" + LOSING_GAME);
    EXPECT_THAT(run.screen, HasSubstr("name: Player file found.\n\nWelcome, Bob"));
    EXPECT_THAT(run.screen,
                HasSubstr("Wins     : 1\nLosses   : 2\nPercent  : 99%\nGames    : 3\n"));
    EXPECT_EQ(run.file, "6\n" + others + "Bob 1 3 25 4 0\n~\n");
}

TEST(Game, EveryGameTakesTheNextSeed) {
    const Played run = play("7\n~\n", "Ann\n" + lostGame(7) + "y\n" + lostGame(8) + "Yes, again\n" +
                                          lostGame(9) + " y\n");
    EXPECT_EQ(run.rest, ""); // each game took exactly the keys it took when seeded alone
    EXPECT_THAT(run.screen, HasSubstr("Losses   : 2\nPercent  : 0%\nGames    : 2\n"));
    EXPECT_EQ(run.file, "10\nAnn 0 3 0 3 0\n~\n");
    // Seed 10 is a game the player wins without attacking.
    EXPECT_EQ(play("10\n~\n", "Ann\n" + LOSING_GAME).file, "11\nAnn 1 0 100 1 0\n~\n");
}

TEST(GameDeathTest, ARunCutShortRecordsNothing) {
    TempDir dir;
    const std::string path = dir.file("standings.txt");
    std::ofstream(path) << "7\n~\n";
    ScriptedConsole c("Ann\n" + lostGame(7) + "y\nPongi\n");
    EXPECT_EXIT(runGame(c.console, path), ::testing::ExitedWithCode(EXIT_INPUT_ENDED), "");
    EXPECT_EQ(readFile(path), "7\n~\n");
}

} // namespace
} // namespace realmsfall
