// The command line, run in-process: help, version, rules, the standings table, numbered deals
// and the complaints about options the game does not take; and the players' rules file,
// RMF_RULES.txt, against the game as built.
#include "games.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <regex>
#include <vector>

namespace realmsfall {
namespace {

using namespace testing;   // the game's test helpers
using namespace ::testing; // and the matchers

const std::string NOT_A_DEAL =
    "the deal must be a whole number from -2147483648 to 2147483647, not ";

TEST(Options, HelpVersionRulesAndEveryMistakeCreateNoFile) {
    const std::string path = standingsFile("");
    const Outcome help = commandLine({"--standings", path, "-h"});
    EXPECT_EQ(help.status, 0);
    EXPECT_THAT(help.screen, StartsWith(USAGE));
    // A game that is not installed names the file it was built from.
    EXPECT_THAT(help.screen, EndsWith("\n" RULES_FILE "\n"));
    EXPECT_EQ(commandLine({"-hV"}).screen, help.screen);
    const std::string rules = readFile(RULES_FILE);
    EXPECT_EQ(commandLine({"-r", "-f", path}).screen, rules);
    EXPECT_EQ(commandLine({"-s", "-r"}).screen, rules);
    const std::string version = commandLine({"-V"}).screen;
    EXPECT_THAT(version,
                MatchesRegex("realmsfall " REALMSFALL_VERSION "\nCopyright \\(C\\) [0-9]{4} "
                             "The Realmsfall developers\n.*MIT.*\n.*\n.*NO WARRANTY.*\n"));
    EXPECT_EQ(commandLine({"-V", "-r"}).screen, version);
    for (const auto& [arguments, problem] : {
             std::pair<std::vector<std::string>, std::string>{
                 {"--bogus"}, "unknown or ambiguous option '--bogus'"},
             {{"--s"}, "unknown or ambiguous option '--s'"},
             {{"-sx"}, "unknown option '-x'"},
             {{"--scores=1"}, "the option '--scores' takes no value"},
             {{"--deal"}, "the option '--deal' needs a value"},
             {{"-sd"}, "the option '-d' needs a value"},
             {{"-d", "+5"}, NOT_A_DEAL + "'+5'"},
             {{"--deal=2147483648"}, NOT_A_DEAL + "'2147483648'"},
             {{"-d", "7x"}, NOT_A_DEAL + "'7x'"},
             {{"-d", "1", "-s"}, "--scores and --deal cannot be used together"},
             {{"--level", "nightmare"}, "the level must be easy, normal or hard, not 'nightmare'"},
             {{"-s", "again"}, "unexpected argument 'again'"},
             {{"-f", ""}, "the standings file must be named: an empty name names no file"},
             {{"--standings="}, "the standings file must be named: an empty name names no file"},
         }) {
        std::vector<std::string> withFile = {"-f", path};
        withFile.insert(withFile.end(), arguments.begin(), arguments.end());
        ::testing::internal::CaptureStderr(); // where getopt_long would complain by itself
        const Outcome wrong = commandLine(withFile);
        EXPECT_EQ(wrong.status, EXIT_USAGE) << problem;
        EXPECT_EQ(wrong.complaints, "realmsfall: " + problem + "\n" + USAGE +
                                        "\nTry 'realmsfall --help' for more information.\n");
        EXPECT_EQ(wrong.screen + ::testing::internal::GetCapturedStderr(), "");
    }
    EXPECT_EQ(commandLine({"--scores", "-f", path}).screen,
              "No standings yet: " + path + " does not exist.\n");
    EXPECT_EQ(commandLine({"-s", "-f", path + "/in/no/folder"}).status, 0);
    EXPECT_FALSE(std::filesystem::exists(path));
}

// Best first: most wins, then the best percent, then names byte by byte, under a row of heads;
// each column as wide as its longest name, number or head, the numbers right-aligned, what cannot
// be printed shown as "?". A file without players says so.
TEST(Options, ScoresListEveryRecordAsTheFileReadsBestFirst) {
    const std::string file =
        "+12\nBob 3 1 75 4 0\nann 3 0 100 3 1\nZed\x01\xe9 -10 0 100\n10 2\nAnn 3 0 100 3 0\n"
        "LongerThanItsHead 123456 0 100 1234567890 7\nAnn 3 0 100 5 0\nBob 1 0 100 1 0\n~\n"
        "After 99 0 100 99 0\n";
    const std::string path = standingsFile(file);
    const Outcome scores = commandLine({"--scores", "--standings=" + path});
    EXPECT_EQ(scores.status, 0);
    EXPECT_EQ(scores.screen, "Name                Wins Losses Percent      Games Overkills\n"
                             "LongerThanItsHead 123456      0     100 1234567890         7\n"
                             "Ann                    3      0     100          3         0\n"
                             "Ann                    3      0     100          5         0\n"
                             "ann                    3      0     100          3         1\n"
                             "Bob                    3      1      75          4         0\n"
                             "Bob                    1      0     100          1         0\n"
                             "Zed??                -10      0     100         10         2\n"
                             "Seed counter: 12\n"); // records that tie keep the file's order
    EXPECT_EQ(readFile(path), file);
    // The name column grows to 24 at most: a longer name runs into the numbers of its own row.
    const std::string wide(28, 'W');
    standingsFile("0\n" + wide + " 1 0 100 1 0\nBob 0 1 0 1 0\n~\n");
    EXPECT_EQ(commandLine({"-s", "-f", path}).screen,
              "Name" + std::string(20, ' ') + " Wins Losses Percent Games Overkills\n" + wide +
                  "    1      0     100     1         0\nBob" + std::string(21, ' ') +
                  "    0      1       0     1         0\nSeed counter: 0\n");
    standingsFile("0\n~\n");
    EXPECT_EQ(commandLine({"-s", "-f", path}).screen, "No records yet.\nSeed counter: 0\n");
    standingsFile(file);
    std::filesystem::resize_file(path, file.find("~"));
    const Outcome damaged = commandLine({"-s", "-f", path});
    EXPECT_EQ(damaged.status, EXIT_DAMAGED_STANDINGS);
    EXPECT_THAT(damaged.complaints, HasSubstr(", line 10: the file ends before the closing"));
}

// A numbered deal says that it is practice, then plays the counter's games from that number on,
// record block included, and leaves the file as it was; a missing file is not created.
TEST(Options, ADealPlaysTheCountersGamesAndChangesNothing) {
    // Worked out first: these runs use the test's standings file too.
    const std::string keys = "Ann\n" + lostGame(7) + "y\n" + lostGame(8) + "n\n";
    const std::string ann = "\nAnn 1 0 100 1 0\n~\n";
    const std::string newcomer = play("7\n~\n", keys).screen,
                      returning = play("7" + ann, keys).screen;
    const std::string path = standingsFile(""), practice = "Practice deal 7: your record is shown "
                                                           "but not kept.\n";
    EXPECT_EQ(commandLine({"-d", "7", "-f", path}, keys).screen, practice + newcomer);
    EXPECT_FALSE(std::filesystem::exists(path));
    standingsFile("2147483647" + ann);
    EXPECT_EQ(commandLine({"--deal=7", "-f", path, "--level=normal"}, keys).screen,
              practice + returning);
    EXPECT_EQ(readFile(path), "2147483647" + ann);
    // Another level's record is read from its own file, which is not made.
    EXPECT_THAT(commandLine({"-d", "7", "-f", path, "-l", "hard"}, keys).screen,
                StartsWith(practice + "Level hard: your record at this level is read from " + path +
                           "-hard.\n\nRRRRRR"));
    EXPECT_FALSE(std::filesystem::exists(path + "-hard"));
}

// The rules' lines that `pattern` matches whole.
std::vector<std::smatch> rows(const std::string& pattern) {
    static const std::string rules = "\n" + readFile(RULES_FILE) + "\n";
    const std::regex line("\n" + pattern + "(?=\n)");
    return {std::sregex_iterator(rules.begin(), rules.end(), line), std::sregex_iterator()};
}

std::string nameOf(CardId card) {
    const std::string name = NAMES[card].c_str();
    return name.substr(0, name.find_last_not_of(' ') + 1);
}

// The seed whose first number is `value`, so that draws can see each of the 32768 numbers once.
std::int32_t seedYielding(std::uint32_t value) {
    constexpr std::uint32_t multiplier = 214013u;
    std::uint32_t inverse = multiplier; // Newton's iteration doubles the correct low bits
    for (int i = 0; i < 5; ++i) {
        inverse *= 2u - multiplier * inverse;
    }
    return static_cast<std::int32_t>(((value << 16) - 2531011u) * inverse);
}

TEST(RulesFile, NamesEveryCardWithTheGamesValueWeightAndChance) {
    std::map<CardId, int> drawn; // how many of the generator's 32768 numbers draw each card
    for (std::uint32_t value = 0; value < 32768; ++value) {
        srand(seedYielding(value));
        ++drawn[drawCard()];
    }
    for (CardId card = 0; card <= CARD_SUMMONERS; ++card) {
        const std::string name = nameOf(card);
        if (card == CARD_NOTHING || card == CARD_SHIELDS_OF_FATE) { // never dealt: only named
            EXPECT_FALSE(rows(".*" + name + ".*").empty()) << name;
            continue;
        }
        const int value = isOffensiveTroop(card) || card == CARD_AVATARS ? attackStrength(card)
                          : isAmount(card)                               ? amountFactor(card)
                          : isDefensiveTroop(card)                       ? defenseStrength(card)
                                                                         : -1;
        const auto row = rows(" +" + name + " +(\\S+) +(\\S+) +(\\S+)%");
        ASSERT_EQ(row.size(), 1u) << "table lines for " << name;
        EXPECT_EQ(row[0][1], value < 0 ? "-" : std::to_string(value)) << name;
        EXPECT_EQ(row[0][2], std::to_string(drawWeight(card))) << name;
        EXPECT_NEAR(std::stod(row[0][3]), drawn[card] * 100.0 / 32768, 0.005) << name;
    }
}

} // namespace
} // namespace realmsfall
