#include "core/string.h"

#include <gtest/gtest.h>

#include <iomanip>
#include <sstream>

namespace realmsfall {
namespace {

TEST(String, GrowsExactlyAndAssignmentTakesTheSourceCapacity) {
    String s;
    EXPECT_EQ(s.capacity(), 1u);
    s += 'a';
    EXPECT_EQ(s.capacity(), 2u);
    s += 'b';
    EXPECT_EQ(s.capacity(), 3u);
    s += "cd";
    s += s; // growing must not lose the text being appended
    EXPECT_STREQ(s.c_str(), "abcdabcd");
    EXPECT_EQ(s.capacity(), 9u);
    s = String();
    EXPECT_EQ(s.capacity(), 1u);
    EXPECT_STREQ((String("unit of 100 ") + "Knights").c_str(), "unit of 100 Knights");

    String same("Pongi");
    const char* const buffer = same.c_str();
    same = String("pongi");
    EXPECT_EQ(same.c_str(), buffer);
    const String& alias = same;
    same = alias;
    EXPECT_STREQ(same.c_str(), "pongi");
}

TEST(String, ComparesUnsignedBytesCaseSensitively) {
    EXPECT_FALSE(String("Pongi") == String("pongi"));
    EXPECT_TRUE(String("10") < String("9"));
    EXPECT_TRUE(String("Pon") < String("Pongi") && String("Pongi") > String("Pon"));
    EXPECT_TRUE(String("") < String("a") && String("z") < String("\xe9"));
    EXPECT_TRUE(String("ab") <= String("ab") && String("ab") >= String("ab"));
}

TEST(String, WordAndLineReads) {
    std::istringstream in("  Pongi  extra\n\n\tA b \t\n\r\v\f Ann\r\n  Bo");
    String word("old"), line;
    in >> word;
    EXPECT_STREQ(word.c_str(), "Pongi");
    readLine(in, line);
    EXPECT_STREQ(line.c_str(), "  extra"); // the newline is taken as well
    readLine(in, line);
    EXPECT_STREQ(line.c_str(), "");
    readLine(in, line);
    EXPECT_STREQ(line.c_str(), "\tA b \t");
    in >> word;
    EXPECT_STREQ(word.c_str(), "Ann");
    in >> word;
    EXPECT_STREQ(word.c_str(), "Bo");
    in >> word; // at the end of input
    EXPECT_STREQ(word.c_str(), "");
}

TEST(String, OutputHonoursFieldWidthAndAdjustment) {
    std::ostringstream out;
    out << std::setw(7) << String("Pongi") << std::left << std::setw(7) << String("|Pongi") << "|";
    EXPECT_EQ(out.str(), "  Pongi|Pongi |");
}

} // namespace
} // namespace realmsfall
