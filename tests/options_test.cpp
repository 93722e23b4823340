// The command line, run in-process: help, version, the standings table, numbered deals and the
// complaints about options the game does not take.
#include "driver/options.h"
#include "games.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

namespace realmsfall {
namespace {

using namespace testing;
using ::testing::HasSubstr;

const std::string USAGE = "Usage: realmsfall [OPTION]...\n";
const std::string NOT_A_DEAL =
    "the deal must be a whole number from -2147483648 to 2147483647, not ";

Outcome commandLine(std::vector<std::string> arguments, const std::string& keys = "") {
    arguments.insert(arguments.begin(), "realmsfall");
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    ScriptedConsole c(keys);
    const int status = runCommandLine(static_cast<int>(argv.size()) - 1, argv.data(), c.console);
    return {status, c.screen(), c.err.str(), "", ""};
}

TEST(Options, HelpVersionAndEveryMistakeCreateNoFile) {
    const std::string path = standingsFile("");
    const Outcome help = commandLine({"--standings", path, "-h"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.screen, USAGE + R"(
Play Realmsfall, a war of cards against the computer, in the terminal.

  -s, --scores          show the standings and the seed counter, without playing
  -f, --standings FILE  keep the records in FILE instead of standings.txt in the
                        current folder
  -d, --deal N          play deal N and the ones after it, as the seed counter's
                        games N, N + 1, ... would be played; the records are
                        shown but never changed
  -l, --level LEVEL     the computer plays at LEVEL: easy, normal (the
                        default) or hard; with -s, show that level's records
  -h, --help            show this help and end
  -V, --version         show the version and end

Without options the game is played with the records in standings.txt.

Levels: the easy computer plays like a beginner and loses seven games in ten
to the normal one, the computer as it has always played; the hard one mends
the normal one's weak spots and beats it three games in four.
Each level keeps its own records, in standings-easy.txt and standings-hard.txt
(with -f s.txt: s-easy.txt, s-hard.txt), with its own seed counter, so the same
deal numbers come up at every level and a deal can be compared across levels.

The rules and unit lists are in RMF_RULES.txt.
)");
    for (const auto& arguments : {std::vector<std::string>{"-V"}, {"--vers"}, {"-V", "-s"}}) {
        EXPECT_EQ(commandLine(arguments).screen, "realmsfall " REALMSFALL_VERSION "\n");
    }
    EXPECT_EQ(commandLine({"-hV"}).screen, help.screen);
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
             {{"-l", "Hard"}, "the level must be easy, normal or hard, not 'Hard'"},
             {{"-s", "again"}, "unexpected argument 'again'"},
             {{"again", "-s"}, "unexpected argument 'again'"},
         }) {
        std::vector<std::string> withFile = {"-f", path};
        withFile.insert(withFile.end(), arguments.begin(), arguments.end());
        ::testing::internal::CaptureStderr(); // where getopt_long would complain by itself
        const Outcome wrong = commandLine(withFile);
        EXPECT_EQ(wrong.status, 64) << problem;
        EXPECT_EQ(wrong.complaints, "realmsfall: " + problem + "\n" + USAGE);
        EXPECT_EQ(wrong.screen + ::testing::internal::GetCapturedStderr(), "");
    }
    EXPECT_EQ(commandLine({"--scores", "-f", path}).screen, "Seed counter: 0\n");
    EXPECT_FALSE(std::filesystem::exists(path));
}

// Best first: most wins, then the best percent, then names byte by byte; the name column as wide
// as the longest name, the numbers right-aligned, what cannot be printed shown as "?".
TEST(Options, ScoresListEveryRecordAsTheFileReadsBestFirst) {
    const std::string file =
        "+12\nBob 3 1 75 4 0\nann 3 0 100 3 1\nZed\x01\xe9 -10 0 100\n10 2\n"
        "Ann 3 0 100 3 0\nAnn 3 0 100 5 0\nBob 1 0 100 1 0\n~\nAfter 99 0 100 99 0\n";
    const std::string path = standingsFile(file);
    const Outcome scores = commandLine({"--scores", "--standings=" + path});
    EXPECT_EQ(scores.status, 0);
    EXPECT_EQ(scores.screen, "Ann     3 0 100  3 0\n" // records that tie keep the file's order
                             "Ann     3 0 100  5 0\n"
                             "ann     3 0 100  3 1\n"
                             "Bob     3 1  75  4 0\n"
                             "Bob     1 0 100  1 0\n"
                             "Zed?? -10 0 100 10 2\n"
                             "Seed counter: 12\n");
    EXPECT_EQ(readFile(path), file);
    std::filesystem::resize_file(path, file.find("~"));
    const Outcome damaged = commandLine({"-s", "-f", path});
    EXPECT_EQ(damaged.status, EXIT_DAMAGED_STANDINGS);
    EXPECT_THAT(damaged.complaints, HasSubstr(", line 9: the file ends before the closing"));
}

// A numbered deal plays the counter's games from that number on, record block included, and
// leaves the file as it was; a missing file is not created.
TEST(Options, ADealPlaysTheCountersGamesAndChangesNothing) {
    // Worked out first: these runs use the test's standings file too.
    const std::string keys = "Ann\n" + lostGame(7) + "y\n" + lostGame(8) + "n\n";
    const std::string ann = "\nAnn 1 0 100 1 0\n~\n";
    const std::string newcomer = play("7\n~\n", keys).screen,
                      returning = play("7" + ann, keys).screen;
    const std::string path = standingsFile("");
    const Outcome practice = commandLine({"-d", "7", "-f", path}, keys);
    EXPECT_EQ(practice.status, 0);
    EXPECT_EQ(practice.screen, newcomer);
    EXPECT_FALSE(std::filesystem::exists(path));
    standingsFile("2147483647" + ann);
    EXPECT_EQ(commandLine({"--deal=7", "-f", path}, keys).screen, returning);
    EXPECT_EQ(readFile(path), "2147483647" + ann);
}

} // namespace
} // namespace realmsfall
