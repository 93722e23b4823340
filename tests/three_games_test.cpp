// The committed three-game script that the memory check and the benchmarks play: it must still
// be three whole lost games, Ann's, with nothing typed to spare.
#include "games.h"

#include <gtest/gtest.h>

namespace realmsfall {
namespace {

using namespace testing;

TEST(ThreeGameScript, PlaysThreeWholeGamesAndEndsOnTheLastKey) {
    const std::string script = readFile(std::string(TESTS_DIR) + "/data/three_games.txt");
    const std::string expected =
        "Ann\n" + lostGame(0) + "y\n" + lostGame(1) + "y\n" + lostGame(2) + "n\n";
    EXPECT_EQ(script, expected);
    const Outcome r = play("0\n~\n", script);
    EXPECT_EQ(r.file, "3\nAnn 0 3 0 3 0\n~\n");
    EXPECT_EQ(r.rest, "");
    EXPECT_EQ(r.complaints, "");
}

} // namespace
} // namespace realmsfall
