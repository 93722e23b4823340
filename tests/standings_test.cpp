// How the standings file's bytes read for one player, and what the write back makes of them.
#include "driver/standings.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace realmsfall {
namespace {

using namespace std::string_literals;

// "counter C, new", "counter C, found W L P G O", or "line N: what is wrong".
std::string readingOf(const std::string& text, const char* name) {
    const auto reading = readStandings(text, name);
    if (const auto* damage = std::get_if<StandingsDamage>(&reading)) {
        return "line " + std::to_string(damage->line) + ": " + damage->what;
    }
    const PlayerStandings& s = std::get<PlayerStandings>(reading);
    std::string shown = "counter " + std::to_string(s.seedCounter) + ", ";
    if (!s.found) {
        return shown + "new";
    }
    const PlayerRecord& r = s.record;
    for (const std::int32_t n : {r.wins, r.losses, r.percent, r.games, r.overkills}) {
        shown += " " + std::to_string(n);
    }
    return shown.replace(shown.find(", ") + 2, 0, "found");
}

const std::string NUMBER = " should be a whole number from -2147483648 to 2147483647, but ";
const std::string NO_END = "the file ends before the closing \"~\" line";

// The lookup passes over the rest of another player's line, the load reads five numbers across
// lines and passes over the player's own lines; both stop at the first "~". Damage is only where
// one of them cannot go on.
TEST(StandingsReading, LookupAndLoadReadAsTheGameAlwaysHas) {
    const std::string split = "0\nBob 1 0 100\n1 0\nCid 0 1 0 1 0\n~\n";
    const std::string trailing = "7\nAnn 1 0 100 1 0 and more\nBob 1 1 50 2 0\n~\n";
    for (const auto& [text, name, expected] : {
             std::tuple{"+0\nBob +1 0 +100 1 0\n~\n"s, "Bob", "counter 0, found 1 0 100 1 0"s},
             {"0\n\nBob 1 0 100 1 0\n\n\n~\n", "Ann", "counter 0, new"},
             {split, "Cid", "counter 0, found 0 1 0 1 0"},
             {split, "Bob",
              "line 4: number 2 of the record of \"1\"" + NUMBER + "\"Cid\" stands there"},
             {"0 ~", "Ann", "counter 0, new"},
             {"-5\nBob 1 0 100 1 0\nBob 2 0 100 2 0\n~\n", "Bob", "counter -5, found 1 0 100 1 0"},
             {trailing, "Ann", "counter 7, found 1 0 100 1 0"},
             {trailing, "Bob",
              "line 2: number 1 of the record of \"and\"" + NUMBER + "\"more\" stands there"},
             {"12Bob 1 0 100 1 0\n~\n", "Bob",
              "counter 12, new"}, // the number stops where digits do
             {"3\nBob 1 0 100 1 0\n~\nAnn 3 0 100 3 0\n~\n", "Ann", "counter 3, new"},
             {"3\r\nBob\t1 0 100 1 0\r\n~\r\n", "Bob", "counter 3, found 1 0 100 1 0"},
             {"3\nBob 1 2 3 4 -2147483648\n~", "Bob", "counter 3, found 1 2 3 4 -2147483648"},
             {"12345", "Ann", "counter 0, new"}, // started afresh
             {" \n\t", "Ann", "counter 0, new"},
             {"", "Ann", "counter 0, new"},
             {"0\n~\n\0"s, "Ann", "counter 0, new"},
             {"0\nBob 1 0 100 1 0\n", "Bob", "line 3: " + NO_END},
             {"0\nBob 1 0 100 1 0\n", "Ann", "line 3: " + NO_END},
             {"0\nBob 1 0 100 1 0 ~\n", "Ann",
              "line 3: " + NO_END}, // the load stops, the lookup not
             {"0\nBo\0b 1 0 100 1 0\n~\n"s, "Ann", "line 2: the line holds a NUL byte"},
             {"0\nBob 1\0 2\nAnn 1 2 3 4 5\n~\n"s, "Ann", "line 2: the line holds a NUL byte"},
             {"0\nAnn 1 2 3 4 5 x\0y\n~\n"s, "Ann", "line 2: the line holds a NUL byte"},
             {"0\nBob 2147483648 0 0 0 0\n~\n", "Ann",
              "line 2: number 1 of the record of \"Bob\"" + NUMBER + "\"2147483648\" stands there"},
             {"0\nBob 1 2 -2147483649 0 0\n~\n", "Bob",
              "line 2: number 3 of the record of \"Bob\"" + NUMBER +
                  "\"-2147483649\" stands there"},
             {"0\nBob 1 2 3 4 +\n~\n", "Ann",
              "line 2: number 5 of the record of \"Bob\"" + NUMBER + "\"+\" stands there"},
             {"0\n\nBob 1 2 3", "Bob",
              "line 3: number 4 of the record of \"Bob\"" + NUMBER + "the file ends there"},
         }) {
        EXPECT_EQ(readingOf(text, name), expected) << text << " for " << name;
    }
}

// Only the counter is read before the player is known.
TEST(StandingsReading, TheCounterIsReadAsANumber) {
    for (const auto& [text, line] : {std::tuple{"0Bob\n~\n", 0},
                                     {"-2147483648\n", 0},
                                     {"\n\n x\n~\n", 3},
                                     {"+ 1\n~\n", 1},
                                     {"2147483648\n~\n", 1},
                                     {"~ 0\n", 1},
                                     {"lonely", 0}}) {
        const auto damage = counterDamage(text);
        EXPECT_EQ(damage ? damage->line : 0, line) << text;
    }
    const std::string forty(40, 'a'); // shown whole, as is anything up to 40 bytes
    EXPECT_EQ(counterDamage(forty + "\n~\n")->what,
              "the seed counter on the first line" + NUMBER + "\"" + forty + "\" stands there");
    // What stands there is shown printable, and cut short beyond 40 bytes.
    EXPECT_EQ(counterDamage(std::string(39, 'x') + "\x01yz\n~\n")->what,
              "the seed counter on the first line" + NUMBER + "\"" + std::string(39, 'x') +
                  "?...\" stands there");
}

// The end of the content, found as the file is read in pieces of any size: just past the first
// "~" that stands first on its line and the blank after it. Every reading of the text up to there
// reads as the whole file does.
TEST(StandingsReading, EndsAtTheFirstLineThatBeginsWithTheClosingMark) {
    for (const auto& [text, end] : {std::pair{"0\nBob 1 0 100 1 0\n~\nCid 1 2 3 4 5\n~\n"s, 20},
                                    {"0 ~\nAnn 1 2 3 4 5\n  \t~\r\nmore"s, 23},
                                    {"0\n~Ann 1 2 3 4 5 ~\n~~\nAnn x ~\n ~"s, -1},
                                    {"~\n~\n"s, 4},
                                    {"12345"s, -1}}) {
        for (std::size_t piece = 1; piece <= text.size(); ++piece) {
            EndScan scan;
            std::optional<std::size_t> found;
            for (std::size_t read = piece; !found && read < text.size() + piece; read += piece) {
                found = endOfStandings(std::string_view(text).substr(0, read), scan);
            }
            EXPECT_EQ(found ? static_cast<int>(*found) : -1, end) << text << " by " << piece;
        }
        const std::string content = text.substr(0, end < 0 ? text.size() : end);
        for (const char* name : {"Ann", "Bob", "Cid"}) {
            EXPECT_EQ(readingOf(content, name), readingOf(text, name)) << text;
        }
        EXPECT_EQ(startsAfresh(content), startsAfresh(text));
    }
}

std::string writtenBack(const std::string& text, const char* name, const RunTally& tally) {
    std::string out;
    const auto damage =
        writeBack(text, name, tally, [&out](std::string_view piece) { out += piece; });
    return damage ? "line " + std::to_string(damage->line) + ": " + damage->what : out;
}

// The file as it is now: other records as they read, the run's games added to the player's
// record as found now, percent worked out afresh, the player last; the counter advanced by every
// game the run seeded.
TEST(StandingsWriteBack, AddsTheRunToTheFileAsItIsNow) {
    const RunTally lostOne{.losses = 1, .games = 1, .seeded = 1};
    const RunTally mixed{.wins = 2, .losses = 1, .games = 3, .overkills = 1, .seeded = 4};
    for (const auto& [text, name, tally, expected] : {
             std::tuple{""s, "Ann", lostOne, "1\nAnn 0 1 0 1 0\n~\n"s},
             {"9\nAnn 1 0 50 1 0 x\nBob +1 -0 007 1 0\n~\nCid 1 1 1 1 1\n", "Ann", mixed,
              "13\nBob 1 0 7 1 0\nAnn 3 1 75 4 1\n~\n"},
             {"2147483647\nAnn 2147483647 0 100 -1 0\n~", "Ann", mixed,
              "-2147483645\nAnn -2147483647 1 50 2 1\n~\n"},
             {"0\nAnn 5 0 100 5 0\n~\n", "Ann", RunTally{.wins = 1, .games = -5, .seeded = 1},
              "1\nAnn 6 0 0 0 0\n~\n"},
             // Lines as they would be written go back as they stand, the others written anew.
             {"0\nBob -2147483648 2147483647 0 -5 10\nCy 01 -0 1 2 3 \nDee 1  2 3 4 5\nEd 1 2\n"
              "3 4 5 Fay 1 2 3 4 5\n\n Gil 0 0 0 0 0\n~\n",
              "Ann", lostOne,
              "1\nBob -2147483648 2147483647 0 -5 10\nCy 1 0 1 2 3\nDee 1 2 3 4 5\nEd 1 2 3 4 5\n"
              "Fay 1 2 3 4 5\nGil 0 0 0 0 0\nAnn 0 1 0 1 0\n~\n"},
             {"0\nBob 1 2\n~\n", "Ann", lostOne,
              "line 3: number 3 of the record of \"Bob\"" + NUMBER + "\"~\" stands there"},
         }) {
        EXPECT_EQ(writtenBack(text, name, tally), expected) << text;
    }
    // A long file goes out in pieces, every record in its place, whether it goes back as it stands
    // or is written anew.
    std::string many = "0\n", kept = "3\n";
    for (int i = 0; i < 20000; ++i) {
        many += "P" + std::to_string(i) + (i % 3 == 0 ? " +1 2 3 4 5\n" : " 1 2 3 4 5\n");
        kept += "P" + std::to_string(i) + " 1 2 3 4 5\n";
    }
    EXPECT_EQ(writtenBack(many + "~\n", "Ann", RunTally{.seeded = 3}), kept + "Ann 0 0 0 0 0\n~\n");
}

// Booking counts a game, its result and an overkill; the record shown adds the run's games to the
// one found, and keeps the percent read until a game is added.
TEST(StandingsWriteBack, BookingAndTheRecordShown) {
    RunTally tally;
    const PlayerRecord found{"Ann", 1, 0, 50, 1, 0};
    EXPECT_EQ(withGames(found, tally).percent, 50);
    EXPECT_FALSE(bookGame(tally, 1));
    EXPECT_FALSE(bookGame(tally, 0)); // a computer left at exactly 0 has fallen
    EXPECT_TRUE(bookGame(tally, -25000));
    EXPECT_FALSE(bookGame(tally, -24999));
    const PlayerRecord now = withGames(found, tally);
    EXPECT_EQ(std::tuple(now.wins, now.losses, now.percent, now.games, now.overkills),
              std::tuple(4, 1, 80, 5, 1));
    EXPECT_EQ(
        withGames(PlayerRecord{"Ann", 0, 0, 0, 1, 0}, RunTally{.wins = 2, .games = 2}).percent,
        66); // two of three, cut down
}

} // namespace
} // namespace realmsfall
