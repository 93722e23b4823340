// Runs that meet the end of the keyboard input, damaged standings files, and saves that fail or
// are cut off.
#include "driver/standings.h"
#include "games.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <csignal>
#include <map>
#include <regex>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <tuple>
#include <unistd.h>

namespace realmsfall {
namespace {

using namespace testing;
using ::testing::EndsWith;
using ::testing::HasSubstr;

constexpr const char* COMMAND = "Enter the number of the unit you wish to command: \n";

// The number under which the last hand listing shows a card whose name matches `names`, or 0.
int listedAs(const std::string& screen, const std::string& names) {
    const std::string hand = screen.substr(screen.rfind("Your hand:\n"));
    const std::regex entry("[\n\t]([0-9]+)\\. (" + names + ")");
    std::smatch m;
    return std::regex_search(hand, m, entry) ? std::stoi(m[1]) : 0;
}

// The current test's own folder, made anew and empty, and the number of entries in one.
std::string emptyFolder() {
    const std::string folder = standingsFile("");
    std::filesystem::create_directory(folder);
    return folder;
}
long filesIn(const std::string& folder) {
    return std::ranges::distance(std::filesystem::directory_iterator(folder));
}

// Each prompt gives up at the end of input with a newline. Before a name is given the file is
// left alone; after it, the player's record is written back with the counter as it stands.
TEST(EndOfInput, EveryPromptEndsTheRunAndKeepsTheRecord) {
    const std::string bob = "\nBob 1 0 100 1 0\n", file = "7" + bob + "~\n";
    for (const auto& [keys, screenEnd, counter] :
         {std::tuple{"", "your name: \n", 0},
          {"\n \n\t", "your name: \n", 0},
          {"~Ann\n", "your name: \n", 0},
          {"Ann\n", "Your region? \n", 7},
          {"Ann", "Your region? \n", 7}, // the last word needs no newline
          {"Ann\nnowhere\n", "re-enter.\nYour region? \n", 7},
          {"Ann\nPongi\n", "Call heads or tails: \n", 8},
          {"Ann\nPongi\nedge\n", "Please choose either heads or tails: \n", 8},
          {"Ann\nPongi\nh\n", COMMAND, 8},
          {"Ann\nPongi\nh\n\n", "re-enter: \n", 8}}) {
        const Outcome r = run(file, keys);
        EXPECT_EQ(r.status, EXIT_INPUT_ENDED) << keys;
        EXPECT_THAT(r.screen, EndsWith(screenEnd)) << keys;
        EXPECT_EQ(r.file, counter ? std::to_string(counter) + bob + "Ann 0 0 0 0 0\n~\n" : file)
            << keys;
        EXPECT_EQ(r.complaints, "");
    }
    EXPECT_EQ(run("", "").file, "0\n~\n"); // a missing file is created before the name prompt
}

// Inside a match, and after it: finished games are kept, and at the play-again question the run
// ends normally.
TEST(EndOfInput, InsideTheMatchAndAtThePlayAgainQuestion) {
    const std::string start = "Ann\nPongi\nh\n";
    const std::string first = run("7\n~\n", start).screen;
    // The pause after a turn simply goes on at the end of input: the next turn comes round.
    EXPECT_THAT(run("7\n~\n", start + "14\n1\n").screen, EndsWith(COMMAND));
    EXPECT_EQ(run("7\n~\n", start + "14\n").screen,
              first.substr(0, first.size() - 1) + "Discard which unit? \n");
    const int amount = listedAs(first, "unit of ");
    ASSERT_GT(amount, 0) << first;
    EXPECT_THAT(run("7\n~\n", start + std::to_string(amount) + "\n").screen,
                EndsWith("Please select another unit number: \n"));
    // Seed 7 deals the player a card with a three-way menu.
    const int special = listedAs(first, "Thieves|Clerics|Summoners");
    ASSERT_GT(special, 0);
    const Outcome r = run("7\n~\n", start + std::to_string(special) + "\n");
    EXPECT_EQ(r.status, EXIT_INPUT_ENDED);
    EXPECT_THAT(r.screen, EndsWith("Select a task: \n"));
    const std::string game = lostGame(7);
    const Outcome cut = run("7\n~\n", "Ann\n" + game + "y\nPongi\n");
    EXPECT_EQ(cut.status, EXIT_INPUT_ENDED);
    EXPECT_EQ(cut.file, "9\nAnn 0 1 0 1 0\n~\n"); // the unfinished game took seed 8
    const Outcome ended = run("7\n~\n", "Ann\n" + game);
    EXPECT_EQ(ended.status, 0);
    EXPECT_THAT(ended.screen, EndsWith("Would you like to play again? \n\n"));
    EXPECT_EQ(ended.file, "8\nAnn 0 1 0 1 0\n~\n");
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

TEST(SeedCounter, TheLargestCounterIsFollowedByTheSmallest) {
    const Outcome r = play("2147483647\n~\n", "Ann\n" + lostGame(INT32_MAX));
    EXPECT_EQ(r.file, "-2147483648\nAnn 0 1 0 1 0\n~\n");
    PlayerRecord worn{"Ann", INT32_MAX, 0, 100, -1, 0};
    bookGame(worn, -30000);
    EXPECT_EQ(std::tuple(worn.wins, worn.games, worn.percent, worn.overkills),
              std::tuple(INT32_MIN, 0, 0, 1));
}

// Every file in tests/standings/damaged-*.txt draws one line naming the file, the damaged line
// and what is wrong with it; the run ends before the name prompt and leaves the file alone.
TEST(DamagedStandings, EachIsNamedOnTheErrorStreamAndLeftUntouched) {
    const std::string counter = "line 1: the first line should hold the seed counter";
    const std::map<std::string, std::string> complaints = {
        {"counter-word", counter},
        {"counter-too-big", counter},
        {"counter-two-numbers", counter},
        {"no-end", "line 3: the file ends before the closing \"~\" line"},
        {"counter-only", "line 2: the file ends before the closing \"~\" line"},
        {"short-record", "line 3: the record of \"Bob\" has only 4 of its 5 numbers"},
        {"long-record", "line 2: the record of \"Ann\" has more than its 5 numbers"},
        {"word-for-number", "line 2: the record of \"Ann\" holds \"two\" where a whole number"},
        {"number-too-big", "line 3: the record of \"Bob\" holds \"4294967296\" where a"},
        {"empty-line", "line 2: an empty line stands where a player's record"},
        {"twice", "line 4: a second record of \"Ann\"; the first is on line 2"},
        {"nul-byte", "line 2: the line holds a NUL byte"},
        // A carriage return parts words inside a line too, as the game reads them.
        {"carriage-return-in-name", "line 2: the record of \"An\" has more than its 5 numbers"},
        {"carriage-return-before-name", "line 3: a second record of \"Ann\"; the first is on"},
    };
    int checked = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(TESTS_DIR) / "standings")) {
        const std::string name = entry.path().stem().string();
        if (!name.starts_with("damaged-")) {
            continue;
        }
        ASSERT_EQ(complaints.count(name.substr(8)), 1u) << name;
        const std::string text = readFile(entry.path().string());
        const Outcome r = run(text, "Ann\n" + lostGame(7));
        EXPECT_EQ(r.status, EXIT_DAMAGED_STANDINGS) << name;
        EXPECT_THAT(r.complaints, ::testing::MatchesRegex("realmsfall: /[^\n]*, " +
                                                          complaints.at(name.substr(8)) +
                                                          "[^\n]*; the file was left as it is\n"))
            << name;
        EXPECT_THAT(r.screen, EndsWith(")\n\n")) << name; // the banner
        EXPECT_EQ(r.file, text) << name;
        ++checked;
    }
    EXPECT_EQ(checked, static_cast<int>(complaints.size()));

    const std::string folder = emptyFolder();
    const Outcome r = runAt(folder, "Ann\n");
    EXPECT_EQ(r.status, EXIT_DAMAGED_STANDINGS);
    EXPECT_THAT(r.complaints, HasSubstr(": cannot be read: it is a folder;"));
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    std::filesystem::remove_all(folder);
}

// What the game itself could have written is read as always: CRLF line ends, anything from the
// first line whose first word is "~" (dropped), and only blanks (a fresh start).
TEST(DamagedStandings, FilesTheGameCouldHaveWrittenAreRead) {
    const std::string game = "Ann\n" + lostGame(7);
    EXPECT_EQ(play("7\r\nBob 1 0 100 1 0\r\nAnn 2 0 100 2 1\r\n~\r\n", game).file,
              "8\nBob 1 0 100 1 0\nAnn 2 1 66 3 1\n~\n");
    EXPECT_EQ(play("7\n~\nCid 1 2\nsomething else\n", game).file, "8\nAnn 0 1 0 1 0\n~\n");
    EXPECT_EQ(play("7\nBob 1 0 100 1 0\n~ 0 1 0 1 0\nCid\n", game).file, // a player named "~"
              "8\nBob 1 0 100 1 0\nAnn 0 1 0 1 0\n~\n");
    EXPECT_EQ(play(" \n\n", "Ann\n" + lostGame(0)).file, "1\nAnn 0 1 0 1 0\n~\n");
}

// A folder that does not exist cannot take the file: each failed save says so in one line, and
// the console shows exactly what it shows when the saves succeed.
TEST(Saving, AFailedSaveIsReportedAndChangesNothingOnTheConsole) {
    const std::string keys = "Ann\n" + lostGame(0);
    const std::string nowhere = standingsFile("") + "-missing/standings.txt";
    const Outcome failed = runAt(nowhere, keys);
    EXPECT_EQ(failed.status, 0);
    EXPECT_EQ(failed.screen, play("", keys).screen);
    const std::string line = "realmsfall: the results could not be saved to " + nowhere +
                             ": No such file or directory\n";
    EXPECT_EQ(failed.complaints, line + line); // creating the file, and the write back
    EXPECT_FALSE(std::filesystem::exists(nowhere));
}

// A file its owner made read-only is left alone; a symbolic link stays and its file is replaced.
TEST(Saving, AReadOnlyFileIsKeptAndALinkIsFollowed) {
    namespace fs = std::filesystem;
    const std::string keys = "Ann\n" + lostGame(7);
    const std::string path = standingsFile("7\n~\n");
    fs::permissions(path, fs::perms::owner_read);
    const Outcome kept = runAt(path, keys);
    EXPECT_THAT(kept.complaints, EndsWith(": the file is read-only\n"));
    EXPECT_EQ(kept.file, "7\n~\n");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    const std::string real = path + "-real";
    fs::rename(path, real);
    fs::create_symlink(real, path);
    EXPECT_EQ(runAt(path, keys).complaints, "");
    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_EQ(readFile(real), "8\nAnn 0 1 0 1 0\n~\n");
    fs::remove(path);
    fs::remove(real);
}

// On a disk too full for the new file the old one stays as it was, with nothing left beside it.
// The old file leaves room for the complaint, as the error stream is a file too.
TEST(SavingDeathTest, AFullDiskLeavesTheOldFile) {
    const std::string old = "7\n" + std::string(150, 'B') + " 1 0 100 1 0\n~\n";
    const std::string keys = "Ann\n" + lostGame(7); // before the folder: a run clears it
    const std::string folder = emptyFolder(), path = folder + "/standings.txt";
    std::ofstream(path) << old;
    const auto cramped = [&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{old.size(), old.size()};
        setrlimit(RLIMIT_FSIZE, &limit);
        const Outcome r = runAt(path, keys);
        std::cerr << r.complaints;
        std::exit(r.status);
    };
    EXPECT_EXIT(cramped(), ::testing::ExitedWithCode(0),
                "realmsfall: the results could not be saved to .*: File too large");
    EXPECT_EQ(readFile(path), old);
    EXPECT_EQ(filesIn(folder), 1);
    std::filesystem::remove_all(folder);
}

// A run killed at any moment of its save leaves the old file or the new one, never a part. The
// file is large enough for the save to take a while, and the kill waits for the temporary file.
TEST(Saving, AKillDuringTheSaveLeavesTheOldOrTheNewFile) {
    const std::string records = std::string(2 << 20, 'B') + " 1 2 33 3 0\n";
    const std::string old = "7\n" + records + "~\n", fresh = "7\n" + records + "Ann 0 0 0 0 0\n~\n";
    bool caughtMidSave = false;
    for (int attempt = 0; attempt < 20 && !caughtMidSave; ++attempt) {
        const std::string folder = emptyFolder(), path = folder + "/standings.txt";
        std::ofstream(path) << old;
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            _exit(runAt(path, "Ann\n").status); // the input ends at the region prompt: a save
        }
        while (filesIn(folder) == 1 && waitpid(child, nullptr, WNOHANG) == 0) {
            std::this_thread::yield();
        }
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        const std::string now = readFile(path);
        EXPECT_TRUE(now == old || now == fresh) << "attempt " << attempt;
        caughtMidSave = now == old && filesIn(folder) > 1;
        std::filesystem::remove_all(folder);
    }
    EXPECT_TRUE(caughtMidSave);
}

} // namespace
} // namespace realmsfall
