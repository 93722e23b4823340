// The text string and the console number readers.
#include "core/string.h"
#include "support.h"

#include <gtest/gtest.h>

#include <array>

namespace realmsfall {
namespace {

using testing::ScriptedConsole;

TEST(String, GrowsExactlyAssignsByCapacityAndReadsWordsAndLines) {
    String s;
    EXPECT_EQ(s.capacity(), 1u);
    s += 'a';
    EXPECT_EQ(s.capacity(), 2u);
    s += "bcd";
    s += s; // growing must not lose the text being appended
    EXPECT_STREQ(s.c_str(), "abcdabcd");
    EXPECT_EQ(s.capacity(), 9u);
    s = String();
    EXPECT_EQ(s.capacity(), 1u);
    String same("Pongi");
    const char* const buffer = same.c_str();
    same = String("pongi"); // same size: the buffer is reused
    EXPECT_EQ(same.c_str(), buffer);

    std::istringstream in("  Pongi  extra\n\n\tA b \t\n\r\v\f Ann\r\n  Bo");
    String w("old"), l;
    const auto word = [&] { return in >> w, std::string(w.c_str()); };
    const auto line = [&] { return readLine(in, l), std::string(l.c_str()); };
    EXPECT_EQ(word(), "Pongi");
    EXPECT_EQ(line(), "  extra"); // the newline is taken as well
    EXPECT_EQ(line(), "");
    EXPECT_EQ(line(), "\tA b \t");
    EXPECT_EQ(word(), "Ann");
    EXPECT_EQ(word(), "Bo");
    EXPECT_EQ(word(), ""); // at the end of input
}

TEST(RandomGenerator, KnownSequences) {
    srand(1);
    EXPECT_EQ((std::array{rand(), rand(), rand(), rand(), rand()}),
              (std::array{41, 18467, 6334, 26500, 19169}));
    srand(0);
    EXPECT_EQ((std::array{rand(), rand(), rand(), rand(), rand()}),
              (std::array{38, 7719, 21238, 2437, 8855}));
}

TEST(ReadCommand, AcceptsExactlyOneToFourteen) {
    ScriptedConsole c("0\n15\n03\n 3\n3 \n\n+3\n100\n3\n1\n10\n14\n5");
    for (const int expected : {2, 0, 9, 13, 4}) {
        EXPECT_EQ(readCommand(c.console), expected);
    }
    const std::string no = "Invalid number, please re-enter: ";
    EXPECT_EQ(c.screen(), no + no + no + no + no + no + no + no);
}

TEST(ConsoleDeathTest, EndOfInputEndsTheRun) {
    const auto ended = ::testing::ExitedWithCode(EXIT_INPUT_ENDED);
    ScriptedConsole empty, refused("0\n15\n"), aboveLimit("4\n");
    EXPECT_EXIT(requireInput(empty.console), ended, "");
    EXPECT_EXIT(readCommand(refused.console), ended, "");
    EXPECT_EXIT(readChoice(aboveLimit.console, 3), ended, "");
}

} // namespace
} // namespace realmsfall
