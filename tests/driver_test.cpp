// The standings file, the regions, and whole runs of the game played in-process.
#include "driver/game.h"
#include "driver/regions.h"
#include "driver/standings.h"
#include "games.h"

#include <filesystem>
#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <iterator>
#include <tuple>

namespace realmsfall {
namespace {

using ::testing::HasSubstr;
using namespace testing;

TEST(Standings, AnEmptyFileStartsAtZeroAndBookingCountsGames) {
    const std::string path = standingsFile("");
    std::ofstream{path}; // a missing one is started at the first run's start
    ensureStandingsFile(path);
    EXPECT_EQ(readFile(path), "0\n~\n");
    std::filesystem::remove(path);
    PlayerRecord r;
    EXPECT_FALSE(bookGame(r, 1));
    EXPECT_FALSE(bookGame(r, 0)); // a computer left at exactly 0 has fallen
    EXPECT_TRUE(bookGame(r, -25000));
    EXPECT_EQ(r.percent, 66); // two of three, cut down
    EXPECT_FALSE(bookGame(r, -24999));
    EXPECT_EQ(std::tuple(r.wins, r.losses, r.percent, r.games, r.overkills),
              std::tuple(3, 1, 75, 4, 1));
}

TEST(Regions, PromptTakesTheFirstWordAndTheComputerDrawsAnother) {
    RegionTable table;
    fillRegionTable(table);
    const std::string ask = "Your region? ", no = ask + "Region name invalid, please re-enter.\n";
    for (const auto& [keys, region, screen] :
         {std::tuple{"Pongi\n", 7, ask},
          {"pongi\n", 7, ask},
          {"8\n", 7, ask},
          {"0\n11\nPONGI\npOngi\n08\n   \n\n  10 Pongi\n", 9, no + no + no + no + no + ask}}) {
        ScriptedConsole c(keys);
        EXPECT_EQ(promptRegion(c.console, table), region);
        EXPECT_EQ(c.screen(), screen);
    }
    for (const auto& [player, computer, draws] : {std::tuple{7, 8, 1}, {8, 9, 2}}) {
        srand(0);
        EXPECT_EQ(drawComputerRegion(player), computer);
        EXPECT_EQ(testing::drawsSince(0), draws);
    }
}

TEST(Game, FirstRunOfANewPlayer) {
    const Outcome run = play("", "~Ann\nAnn Bee\n" + LOSING_GAME);
    EXPECT_THAT(run.screen, HasSubstr("LLLLLLL\n\n                   (version " REALMSFALL_VERSION
                                      ")\n\nPlayer, enter your name: Name may not start with a ~.\n"
                                      "Player, enter your name: New player!\n"
                                      "View rules and unit lists in RMF_RULES.txt\n\n"
                                      "Welcome, Ann, to Realmsfall!\nYour current stats are:\n"
                                      "Wins     : 0\nLosses   : 0\nPercent  : 0%\nGames    : 0\n"
                                      "Overkills: 0\n\nPlease choose a region.\n1. Dragonridge\n"));
    // "Bee" went with the name line; the coin of seed 0 lands on tails.
    EXPECT_THAT(run.screen,
                HasSubstr("10. Soltanu\nYour region? Ann, you now rule the region of "
                          "Pongi\n\nThe computer will play as the Lord of Beremont.\n"));
    EXPECT_THAT(run.screen, HasSubstr("landed on tails.\nYou have lost the toss and the Lord of "
                                      "Beremont will play first.\nYour scouts report"));
    EXPECT_THAT(run.screen, ::testing::EndsWith("Your Kingdom of Pongi lies in ruins.\n\n"
                                                "Would you like to play again? \n\n"));
    EXPECT_EQ(run.file, "1\nAnn 0 1 0 1 0\n~\n");
}

TEST(Game, EveryGameTakesTheNextSeedAndAReturningPlayerMovesLast) {
    const Outcome run = play("7\n~\n", "Ann\n" + lostGame(7) + "y\n" + lostGame(8) +
                                           "Yes, again\n" + lostGame(9) + " y\n");
    EXPECT_EQ(run.rest, ""); // each game took exactly the keys it took when seeded alone
    EXPECT_THAT(run.screen, HasSubstr("Losses   : 2\nPercent  : 0%\nGames    : 2\n"));
    EXPECT_EQ(run.file, "10\nAnn 0 3 0 3 0\n~\n");
    // Seed 55 is a game the player wins without attacking, by an overkill.
    const Outcome won = play("55\n~\n", "Ann\n" + LOSING_GAME);
    EXPECT_THAT(won.screen, HasSubstr(".\nOVERKILL!!\n\nWould you like to play again? "));
    EXPECT_EQ(won.file, "56\nAnn 1 0 100 1 1\n~\n");
    // Other records go back as they were read, percent included; names differ by case alone;
    // the file read has no newline after its "~".
    const std::string others = "bob 4 1 12 5 1\nCid 0 0 0 0 0\n";
    const Outcome back = play("5\nBob 1 2 99 3 0\n" + others + "~", "Bob\n" + LOSING_GAME);
    EXPECT_THAT(back.screen, HasSubstr("name: Player file found.\n\nWelcome, Bob"));
    EXPECT_EQ(back.file, "6\n" + others + "Bob 1 3 25 4 0\n~\n");
}

} // namespace
} // namespace realmsfall
