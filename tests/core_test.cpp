// The text string and the console number readers.
#include "core/string.h"
#include "support.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <regex>
#include <tuple>

namespace realmsfall {
namespace {

using testing::ScriptedConsole;

constexpr const char* NO = "Invalid number, please re-enter: ";

TEST(String, GrowsExactlyAndAssignsByCapacity) {
    String s;
    EXPECT_EQ(s.capacity(), 1u);
    s += "abcd";
    s += s; // growing must not lose the text being appended
    EXPECT_STREQ(s.c_str(), "abcdabcd");
    EXPECT_EQ(s.capacity(), 9u);
    s = String("ab"); // one of the same capacity as the next: its buffer is reused
    const char* const buffer = s.c_str();
    s = String("cd");
    EXPECT_EQ(s.c_str(), buffer);
    s = String(); // a copy takes the source's capacity
    EXPECT_EQ(s.capacity(), 1u);
    String shorter("ab"), taken("Pongi");
    shorter.reserve(5); // as much room as "Pongi" has, and a shorter text
    taken = std::move(shorter);
    EXPECT_STREQ(taken.c_str(), "ab");
    // A string built from one about to go takes its buffer and leaves it empty, with no buffer
    // of its own, still to be read, copied and written.
    const char* const handed = taken.c_str();
    const String built(std::move(taken)), left(taken);
    EXPECT_EQ(built.c_str(), handed);
    EXPECT_EQ(left.capacity(), 0u);
    taken += "cd";
    EXPECT_STREQ(taken.c_str(), "cd");
    EXPECT_EQ(taken.capacity(), 3u);
}

// A keyboard that hands over its keys `chunk` at a time, or one by one without a buffer at all.
class Trickle : public std::streambuf {
  public:
    Trickle(std::string keys, std::size_t chunk) : keys_(std::move(keys)), chunk_(chunk) {}

  protected:
    int underflow() override {
        EXPECT_FALSE(gptr() > egptr()) << "a read went past what the buffer held";
        if (at_ >= keys_.size()) {
            return traits_type::eof();
        }
        if (chunk_ > 0) {
            const std::size_t n = std::min(chunk_, keys_.size() - at_);
            setg(keys_.data() + at_, keys_.data() + at_, keys_.data() + at_ + n);
            at_ += n;
        }
        return traits_type::to_int_type(chunk_ > 0 ? *gptr() : keys_[at_]);
    }
    int uflow() override {
        const int c = underflow();
        chunk_ > 0 ? gbump(1) : void(at_ += c != traits_type::eof());
        return c;
    }

  private:
    std::string keys_;
    std::size_t chunk_, at_ = 0;
};

// Words and lines read alike whatever the keyboard's buffer holds at a time; one longer than the
// limit is cut there and the rest of its line dropped, up to the newline a word leaves behind.
TEST(String, ReadsAcrossRefillsAndCutsAtTheLimit) {
    const std::string keys = " \t Pongi  extra\n\n\tA b \t\nabcdef ghi\nabc def\nlonger line\nabc\n"
                             "\r\v\f Ann\r\nlast";
    for (const std::size_t chunk : {0, 1, 3, 64}) {
        Trickle keyboard(keys, chunk);
        std::istream in(&keyboard);
        String w("old"), l;
        const auto word = [&](std::uint32_t limit) {
            return readWord(in, w, limit), std::string(w.c_str());
        };
        const auto line = [&](std::uint32_t limit) {
            return readLine(in, l, limit), std::string(l.c_str());
        };
        EXPECT_EQ(word(String::MAX_LENGTH), "Pongi") << chunk;
        EXPECT_EQ(w.capacity(), 6u);
        EXPECT_EQ(line(String::MAX_LENGTH), "  extra");
        EXPECT_EQ(line(3), "");
        EXPECT_EQ(line(String::MAX_LENGTH), "\tA b \t");
        EXPECT_EQ(word(3), "abc");
        EXPECT_EQ(line(3), ""); // " ghi" went with the cut word
        EXPECT_EQ(word(3), "abc");
        EXPECT_EQ(line(4), " def"); // a word of just the limit is whole
        EXPECT_EQ(line(6), "longer");
        EXPECT_EQ(line(3), "abc");
        EXPECT_EQ(l.capacity(), 4u);
        EXPECT_EQ((in >> w, std::string(w.c_str())), "Ann");
        EXPECT_EQ(word(3), "las");
        EXPECT_TRUE(in.eof());
        EXPECT_EQ(word(3), ""); // at the end of input
    }
    // A word is scanned in blocks, whole or across refills, and ends at its first blank, not at a
    // byte beside the blanks.
    for (const std::size_t length : {1, 7, 8, 9, 15, 16, 24, 31, 32, 33, 40, 63, 64, 65, 100}) {
        const std::string word = std::string(length / 2, '!') + '\x01' + std::string(length, '!');
        for (const std::size_t chunk : {8, 128}) {
            Trickle keyboard(word.substr(0, length) + (length % 2 ? " " : "\t") + "next", chunk);
            std::istream in(&keyboard);
            String w;
            EXPECT_EQ((in >> w, w.length()), length) << chunk;
        }
    }
}

// Byte by byte as unsigned bytes, case-sensitive, a prefix first.
TEST(String, ComparesTheBytes) {
    for (const auto& [a, b, order] : {std::tuple{"Pongi", "pongi", -1},
                                      {"10", "9", -1},
                                      {"Ann", "Ann", 0},
                                      {"Ann", "An", 1},
                                      {"An", "Ann", -1},
                                      {"\xe9", "z", 1}}) {
        const String left(a), right(b);
        EXPECT_EQ(left == right, order == 0) << a << " " << b;
        EXPECT_EQ(left != right, order != 0);
        EXPECT_EQ(left < right, order < 0);
        EXPECT_EQ(left <= right, order <= 0);
        EXPECT_EQ(left > right, order > 0);
        EXPECT_EQ(left >= right, order >= 0);
    }
}

TEST(ReadCommand, AcceptsExactlyOneToFourteen) {
    ScriptedConsole c("0\n15\n20\na\n:\n03\n 3\n3 \n\n+3\n100\n3\n1\n10\n14\n5");
    for (const int expected : {2, 0, 9, 13, 4}) { // the last without a newline
        EXPECT_EQ(readCommand(c.console), expected);
    }
    EXPECT_THROW(readCommand(c.console), InputEnded);
    EXPECT_TRUE(std::regex_match(c.screen(), std::regex("(" + std::string(NO) + "){11}\n")));
}

// Each reader that waits for the player gives up at the end of input with one newline, also
// after refusing what came before.
TEST(Console, EndOfInputRaisesInputEndedAfterEndingTheLine) {
    const std::string no = NO;
    String word;
    for (const auto& [keys, read, screen] :
         std::initializer_list<std::tuple<const char*, std::function<void(Console&)>, std::string>>{
             {"", [](Console& c) { requireInput(c); }, "\n"},
             {"0\n15\n", [](Console& c) { readCommand(c); }, no + no + "\n"},
             {"4\n", [](Console& c) { readChoice(c, 3); }, no + "\n"},
             {" \n\t\n", [&word](Console& c) { requireWord(c, word); }, "\n"}}) {
        ScriptedConsole c(keys);
        EXPECT_THROW(read(c.console), InputEnded) << keys;
        EXPECT_EQ(c.screen(), screen) << keys;
    }
}

} // namespace
} // namespace realmsfall
