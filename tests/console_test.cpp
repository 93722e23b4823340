#include "support.h"

#include <gtest/gtest.h>

#include <utility>

namespace realmsfall {
namespace {

using testing::ScriptedConsole;

const std::string INVALID = "Invalid number, please re-enter: ";

TEST(ReadCommand, AcceptsExactlyOneToFourteen) {
    ScriptedConsole c("0\n15\n03\n 3\n3 \n\n+3\n3\n1\n10\n14\n5");
    for (const int expected : {2, 0, 9, 13, 4}) {
        EXPECT_EQ(readCommand(c.console), expected);
    }
    EXPECT_EQ(c.screen(), INVALID + INVALID + INVALID + INVALID + INVALID + INVALID + INVALID);
}

TEST(ReadChoice, RefusesChoicesAboveTheLimit) {
    const auto choose = [](const char* keys, int limit) {
        ScriptedConsole c(keys);
        const int choice = readChoice(c.console, limit);
        return std::pair{choice, c.screen()};
    };
    EXPECT_EQ(choose("4\n2\n", 3), std::pair(1, INVALID));
    EXPECT_EQ(choose(" 2\n3\n", 3), std::pair(2, INVALID));
    EXPECT_EQ(choose("14\n13\n", 13), std::pair(12, INVALID));
}

TEST(ConsoleDeathTest, EndOfInputEndsTheRun) {
    const auto ended = ::testing::ExitedWithCode(EXIT_INPUT_ENDED);
    ScriptedConsole empty, refused("0\n15\n"), aboveLimit("4\n"), waiting("7\n");
    EXPECT_EXIT(requireInput(empty.console), ended, "");
    EXPECT_EXIT(readCommand(refused.console), ended, "");
    EXPECT_EXIT(readChoice(aboveLimit.console, 3), ended, "");
    requireInput(waiting.console);
    EXPECT_EQ(waiting.in.peek(), '7');
}

} // namespace
} // namespace realmsfall
