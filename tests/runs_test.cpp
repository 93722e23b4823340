// Whole runs of the game in-process: the regions, the records across games, the end of the
// keyboard input, bad names, damaged standings files, and saves that fail.
#include "driver/careful_file.h"
#include "driver/regions.h"
#include "games.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <tuple>
#include <utility>

namespace realmsfall {
namespace {

using namespace testing;   // the game's test helpers
using namespace ::testing; // and the matchers

constexpr const char* COMMAND = "Enter the number of the unit you wish to command: \n";

TEST(Regions, PromptTakesTheFirstWordAndTheComputerDrawsAnother) {
    RegionTable table;
    fillRegionTable(table);
    const std::string ask = "Your region? ", no = ask + "Region name invalid, please re-enter.\n";
    for (const auto& [keys, region, screen] :
         {std::tuple{"Dragonridge\n", 0, ask},
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
    EXPECT_THAT(run.screen, StartsWith(R"(
RRRRRR  EEEEEEE  AAAAA  L       M     M  SSSSS  FFFFFFF  AAAAA  L       L
R     R E       A     A L       MM   MM S     S F       A     A L       L
R     R E       A     A L       M M M M S       F       A     A L       L
RRRRRR  EEEEE   AAAAAAA L       M  M  M  SSSSS  FFFFF   AAAAAAA L       L
R   R   E       A     A L       M     M       S F       A     A L       L
R    R  E       A     A L       M     M S     S F       A     A L       L
R     R EEEEEEE A     A LLLLLLL M     M  SSSSS  F       A     A LLLLLLL LLLLLLL

                   (version )" REALMSFALL_VERSION ")\n\n"));
    EXPECT_THAT(run.screen, HasSubstr("Player, enter your name: Name may not start with a ~.\n"
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

TEST(Game, EveryGameTakesTheNextSeedAndIsBooked) {
    const Outcome run = play("7\n~\n", "Ann\n" + lostGame(7) + "y\n" + lostGame(8) +
                                           "Yes, again\n" + lostGame(9) + " y\n");
    EXPECT_EQ(run.rest, ""); // each game took exactly the keys it took when seeded alone
    EXPECT_EQ(run.file, "10\nAnn 0 3 0 3 0\n~\n");
    // Seed 55 is a game the player wins without attacking, by an overkill.
    const Outcome won = play("55\n~\n", "Ann\n" + LOSING_GAME);
    EXPECT_THAT(won.screen, HasSubstr(".\nOVERKILL!!\n\nWould you like to play again? "));
    EXPECT_EQ(won.file, "56\nAnn 1 0 100 1 1\n~\n");
    // The largest counter is followed by the smallest.
    EXPECT_EQ(play("2147483647\n~\n", "Ann\n" + lostGame(INT32_MAX)).file,
              "-2147483648\nAnn 0 1 0 1 0\n~\n");
}

// Each prompt gives up at the end of input with a newline. A run that completed no game leaves
// the file as it was; a missing one was created at the start.
TEST(EndOfInput, EveryPromptEndsTheRunAndLeavesTheFile) {
    const std::string file = "7\nBob 1 0 100 1 0\n~\n";
    for (const auto& [keys, screenEnd] :
         {std::pair{"", "your name: \n"},
          {"\n \n\t", "your name: \n"},
          {"~Ann\n", "your name: \n"},
          {"Ann\n", "Your region? \n"},
          {"Ann", "Your region? \n"}, // the last word needs no newline
          {"Ann\nnowhere\n", "re-enter.\nYour region? \n"},
          {"Ann\nPongi\n", "Call heads or tails: \n"},
          {"Ann\nPongi\nedge\n", "Please choose either heads or tails: \n"},
          {"Ann\nPongi\nh\n", COMMAND},
          {"Ann\nPongi\nh\n\n", "re-enter: \n"}}) {
        const Outcome r = run(file, keys);
        EXPECT_EQ(r.status, EXIT_INPUT_ENDED) << keys;
        EXPECT_THAT(r.screen, EndsWith(screenEnd)) << keys;
        EXPECT_EQ(r.file, file) << keys;
        EXPECT_EQ(r.complaints, "");
    }
    EXPECT_EQ(run("7", "").file, "0\n~\n"); // a lone word runs to the end: started afresh
    // A missing file is created at the start, as the folder's mask allows.
    const std::string created = standingsFile("");
    EXPECT_EQ(runAt(created, "").file, "0\n~\n");
    const mode_t mask = umask(0);
    umask(mask);
    EXPECT_EQ(static_cast<mode_t>(std::filesystem::status(created).permissions()), 0666 & ~mask);
}

// Inside a match the pause after a turn goes on at the end of input, and the other questions
// end the run; a game cut off is not booked, but took its seed.
TEST(EndOfInput, InsideTheMatch) {
    const std::string start = "Ann\nPongi\nh\n";
    const std::string first = run("7\n~\n", start).screen;
    EXPECT_THAT(run("7\n~\n", start + "14\n1\n").screen, EndsWith(COMMAND));
    EXPECT_EQ(run("7\n~\n", start + "14\n").screen,
              first.substr(0, first.size() - 1) + "Discard which unit? \n");
    const Outcome cut = run("7\n~\n", "Ann\n" + lostGame(7) + "y\nPongi\n");
    EXPECT_EQ(cut.status, EXIT_INPUT_ENDED);
    EXPECT_EQ(cut.file, "9\nAnn 0 1 0 1 0\n~\n"); // the unfinished game took seed 8
}

// Only the very first character typed is checked for "~": a name typed after blanks may start
// with one, and the next run reads its record back. NUL bytes are left out of the name, and a
// name of nothing else is asked for again.
TEST(BadNames, TheNameWrittenBackIsOneTheNextRunAccepts) {
    using namespace std::string_literals;
    const std::string game = lostGame(0);
    const Outcome tilde = play("0\n~\n", " ~Bo\n" + game);
    EXPECT_EQ(tilde.file, "1\n~Bo 0 1 0 1 0\n~\n");
    const Outcome again = play(tilde.file, "~Bo\n ~Bo\n" + lostGame(1));
    EXPECT_THAT(again.screen, HasSubstr("name: Name may not start with a ~.\nPlayer, enter your "
                                        "name: Player file found.\n"));
    EXPECT_EQ(again.file, "2\n~Bo 0 2 0 2 0\n~\n");
    const Outcome found = play("0\nAnn 2 0 100 2 0\n~\n", "A\0nn\0\n"s + game);
    EXPECT_THAT(found.screen, HasSubstr("name: Player file found.\n\nWelcome, Ann, to"));
    EXPECT_EQ(found.file, "1\nAnn 2 1 66 3 0\n~\n"); // one record, not a second "Ann"
    const Outcome nothing = play("0\n~\n", "\0\0 Cid\nAnn\n"s + game);
    EXPECT_THAT(nothing.screen, HasSubstr("name: Player, enter your name: New player!"));
    EXPECT_EQ(nothing.file, "1\nAnn 0 1 0 1 0\n~\n");
}

// A file that cannot be read is named on the error stream and left as it is: before the name
// prompt when no name could read it, right after it otherwise.
TEST(DamagedStandings, IsNamedOnTheErrorStreamAndLeftUntouched) {
    const std::string game = "Ann\n" + lostGame(7);
    for (const auto& [text, complaint, screenEnd] : {
             std::tuple{"seven\n~\n", ", line 1: the seed counter on the first line should be",
                        "(version " REALMSFALL_VERSION ")\n\n"},
             {"7\nBob 1 2\n~\n", ", line 3: number 3 of the record of \"Bob\" should be",
              "Player, enter your name: \n"},
         }) {
        const Outcome r = run(text, game);
        EXPECT_EQ(r.status, EXIT_DAMAGED_STANDINGS) << text;
        EXPECT_THAT(r.complaints, MatchesRegex("realmsfall: /[^\n]*" + std::string(complaint) +
                                               "[^\n]*; the file was left as it is\n"));
        EXPECT_THAT(r.screen, EndsWith(screenEnd));
        EXPECT_EQ(r.file, text);
    }
}

// A run that finds a save cut off completes or undoes it before anything else, and says so.
TEST(Saving, ASaveCutOffIsCompletedOrUndoneAndSaid) {
    const std::string old = "7\nBob 1 0 100 1 0\n~\n", fresh = "8\n~\n";
    for (const bool whole : {true, false}) {
        const auto journal =
            journalBytes({old.size(), fresh.size(), old.size(), contentCheck(fresh) ^ !whole});
        const Outcome r = run(old + fresh + std::string(journal.begin(), journal.end()), "");
        EXPECT_EQ(r.file, whole ? fresh : old);
        EXPECT_THAT(r.complaints, EndsWith(whole ? ": a save that was cut off has been completed\n"
                                                 : ": a save that was cut off has been undone; the "
                                                   "file is as it was before it\n"));
    }
}

} // namespace
} // namespace realmsfall
