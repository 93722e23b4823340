// Runs that meet the end of the keyboard input, damaged standings files, and saves that fail or
// are cut off.
#include "driver/standings.h"
#include "games.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <csignal>
#include <map>
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

constexpr const char* COMMAND = "Enter the number of the unit you wish to command: ";

// The number under which the last hand listing shows the first card whose name starts with one
// of `names`, or 0.
int listedAs(const std::string& screen, std::initializer_list<const char*> names) {
    const std::size_t hand = screen.rfind("Your hand:\n");
    for (int number = 1; number <= 13; ++number) {
        for (const char* name : names) {
            const std::string entry = std::to_string(number) + ". " + name;
            const std::size_t at = screen.find(entry, hand);
            if (at != std::string::npos && (screen[at - 1] == '\n' || screen[at - 1] == '\t')) {
                return number;
            }
        }
    }
    return 0;
}

TEST(EndOfInput, AtTheNamePromptNothingIsWritten) {
    for (const char* keys : {"", "\n \n\t", "~Ann\n"}) {
        const Outcome r = run("7\nBob 1 0 100 1 0\n~\n", keys);
        EXPECT_EQ(r.status, EXIT_INPUT_ENDED);
        EXPECT_THAT(r.screen, EndsWith("Player, enter your name: \n"));
        EXPECT_EQ(r.file, "7\nBob 1 0 100 1 0\n~\n");
    }
    // A missing file is still created at start-up, before the name prompt.
    EXPECT_EQ(run("", "").file, "0\n~\n");
}

// Each prompt of the game set-up and of the match gives up at the end of input with a newline;
// the player's record is written back as at the end of a run, with the counter as it stands.
TEST(EndOfInput, EveryPromptEndsTheRunAndKeepsTheRecord) {
    const std::string file = "7\nBob 1 0 100 1 0\n~\n";
    for (const auto& [keys, screenEnd, counter] :
         {std::tuple{"Ann\n", "Your region? \n", 7}, // the last word needs no newline:
          {"Ann", "Your region? \n", 7},
          {"Ann\nnowhere\n", "re-enter.\nYour region? \n", 7},
          {"Ann\nPongi\n", "Call heads or tails: \n", 8},
          {"Ann\nPongi\nedge\n", "Please choose either heads or tails: \n", 8},
          {"Ann\nPongi\nh\n", "unit you wish to command: \n", 8},
          {"Ann\nPongi\nh\n\n", "re-enter: \n", 8}}) {
        const Outcome r = run(file, keys);
        EXPECT_EQ(r.status, EXIT_INPUT_ENDED) << keys;
        EXPECT_THAT(r.screen, EndsWith(screenEnd)) << keys;
        EXPECT_EQ(r.file, std::to_string(counter) + "\nBob 1 0 100 1 0\nAnn 0 0 0 0 0\n~\n")
            << keys;
        EXPECT_EQ(r.complaints, "");
    }
}

TEST(EndOfInput, InsideTheMatchTheDiscardTheAmountRefusalAndTheMenus) {
    const std::string start = "Ann\nPongi\nh\n";
    const Outcome first = run("7\n~\n", start);
    ASSERT_THAT(first.screen, EndsWith(std::string(COMMAND) + "\n"));
    // The pause after a turn simply goes on at the end of input: the next turn comes round.
    const Outcome discarded = run("7\n~\n", start + "14\n1\n");
    EXPECT_THAT(discarded.screen, HasSubstr("Discard which unit? "));
    EXPECT_THAT(discarded.screen, EndsWith(std::string(COMMAND) + "\n"));
    EXPECT_EQ(run("7\n~\n", start + "14\n").screen,
              first.screen.substr(0, first.screen.size() - 1) + "Discard which unit? \n");

    const int amount = listedAs(first.screen, {"unit of "});
    ASSERT_GT(amount, 0) << first.screen;
    EXPECT_THAT(run("7\n~\n", start + std::to_string(amount) + "\n").screen,
                EndsWith("Please select another unit number: \n"));

    // The first seed from 7 whose opening hand holds a card with a three-way menu.
    for (int seed = 7;; ++seed) {
        const std::string file = std::to_string(seed) + "\n~\n";
        const int special = listedAs(run(file, start).screen, {"Thieves", "Clerics", "Summoners"});
        if (special > 0) {
            const Outcome r = run(file, start + std::to_string(special) + "\n");
            EXPECT_EQ(r.status, EXIT_INPUT_ENDED);
            EXPECT_THAT(r.screen, EndsWith("Select a task: \n"));
            break;
        }
    }
}

TEST(EndOfInput, FinishedGamesAreKeptAndThePlayAgainQuestionEndsNormally) {
    const std::string game = lostGame(7);
    const Outcome cut = run("7\n~\n", "Ann\n" + game + "y\nPongi\n");
    EXPECT_EQ(cut.status, EXIT_INPUT_ENDED);
    EXPECT_EQ(cut.file, "9\nAnn 0 1 0 1 0\n~\n"); // the unfinished game took seed 8
    const Outcome ended = run("7\n~\n", "Ann\n" + game);
    EXPECT_EQ(ended.status, 0);
    EXPECT_THAT(ended.screen, EndsWith("Would you like to play again? \n\n"));
    EXPECT_EQ(ended.file, "8\nAnn 0 1 0 1 0\n~\n");
}

// Whatever is typed at the name prompt, the file written back is one the next run accepts: a
// "~" typed after blanks, empty lines or NUL bytes is still refused, and a NUL byte ends the
// name, as it ends the name shown on the screen.
// Only the very first character typed is checked for "~", so a name typed after blanks may
// start with one, and the next run reads its record back. NUL bytes never reach the file.
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

// Every file in tests/standings/damaged-*.txt, with the line and the complaint it must draw.
TEST(DamagedStandings, EachIsNamedOnTheErrorStreamAndLeftUntouched) {
    const std::map<std::string, std::string> complaints = {
        {"counter-word", ", line 1: the first line should hold the seed counter"},
        {"counter-too-big", ", line 1: the first line should hold the seed counter"},
        {"counter-two-numbers", ", line 1: the first line should hold the seed counter"},
        {"no-end", ", line 3: the file ends before the closing \"~\" line"},
        {"counter-only", ", line 2: the file ends before the closing \"~\" line"},
        {"short-record", ", line 3: the record of \"Bob\" has only 4 of its 5 numbers"},
        {"long-record", ", line 2: the record of \"Ann\" has more than its 5 numbers"},
        {"word-for-number", ", line 2: the record of \"Ann\" holds \"two\" where a whole number"},
        {"number-too-big", ", line 3: the record of \"Bob\" holds \"4294967296\" where a"},
        {"empty-line", ", line 2: an empty line stands where a player's record"},
        {"twice", ", line 4: a second record of \"Ann\"; the first is on line 2"},
        {"nul-byte", ", line 2: the line holds a NUL byte"},
        // A carriage return parts words inside a line too, as the game reads them.
        {"carriage-return-in-name", ", line 2: the record of \"An\" has more than its 5 numbers"},
        {"carriage-return-before-name", ", line 3: a second record of \"Ann\"; the first is on"},
    };
    const std::filesystem::path corpus = std::filesystem::path(TESTS_DIR) / "standings";
    int checked = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        const std::string name = entry.path().stem().string();
        if (name.rfind("damaged-", 0) != 0) {
            continue;
        }
        const std::string text = readFile(entry.path().string());
        const Outcome r = run(text, "Ann\n" + lostGame(7));
        EXPECT_EQ(r.status, EXIT_DAMAGED_STANDINGS) << name;
        ASSERT_EQ(complaints.count(name.substr(8)), 1u) << name;
        EXPECT_THAT(r.complaints, HasSubstr(complaints.at(name.substr(8)))) << name;
        EXPECT_THAT(r.complaints, ::testing::StartsWith("realmsfall: /")) << name;
        EXPECT_THAT(r.complaints, EndsWith("; the file was left as it is\n")) << name;
        EXPECT_EQ(std::count(r.complaints.begin(), r.complaints.end(), '\n'), 1) << name;
        EXPECT_THAT(r.screen, EndsWith("(version 2.1.1)\n\n")) << name; // no name prompt
        EXPECT_EQ(r.file, text) << name;
        ++checked;
    }
    EXPECT_EQ(checked, static_cast<int>(complaints.size()));

    const std::string folder = standingsFile("");
    std::filesystem::create_directory(folder);
    const Outcome r = runAt(folder, "Ann\n");
    EXPECT_EQ(r.status, EXIT_DAMAGED_STANDINGS);
    EXPECT_THAT(r.complaints, HasSubstr(": cannot be read: it is a folder;"));
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    std::filesystem::remove_all(folder);
}

// What the game itself could have written is read as always: CRLF line ends, no newline after
// "~", anything from the first line whose first word is "~" (dropped), and a file of blanks only
// (started afresh).
TEST(DamagedStandings, FilesTheGameCouldHaveWrittenAreRead) {
    const std::string game = "Ann\n" + lostGame(7);
    EXPECT_EQ(play("7\r\nBob 1 0 100 1 0\r\nAnn 2 0 100 2 1\r\n~\r\n", game).file,
              "8\nBob 1 0 100 1 0\nAnn 2 1 66 3 1\n~\n");
    EXPECT_EQ(play("7\nBob 1 0 100 1 0\n~", game).file, "8\nBob 1 0 100 1 0\nAnn 0 1 0 1 0\n~\n");
    EXPECT_EQ(play("7\n~\nCid 1 2\nsomething else\n", game).file, "8\nAnn 0 1 0 1 0\n~\n");
    EXPECT_EQ(play("7\nBob 1 0 100 1 0\n~ 0 1 0 1 0\nCid\n", game).file, // a player named "~"
              "8\nBob 1 0 100 1 0\nAnn 0 1 0 1 0\n~\n");
    EXPECT_EQ(play(" \n\n", "Ann\n" + lostGame(0)).file, "1\nAnn 0 1 0 1 0\n~\n");
}

// A folder that does not exist cannot take the file: each failed save says so in one line, and
// the console shows exactly what it shows when the saves succeed.
TEST(Saving, AFailedSaveIsReportedAndChangesNothingOnTheConsole) {
    const std::string keys = "Ann\n" + lostGame(0);
    const Outcome good = play("", keys);
    const std::string nowhere = standingsFile("") + "-missing/standings.txt";
    const Outcome failed = runAt(nowhere, keys);
    EXPECT_EQ(failed.status, 0);
    EXPECT_EQ(failed.screen, good.screen);
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

// Files the test's child process may write are kept small, as on a full disk: the new file
// cannot be written, and the old one stays as it was, with no temporary file left beside it.
TEST(SavingDeathTest, AFullDiskLeavesTheOldFile) {
    std::string old = "7\n";
    for (const char* name :
         {"Bob", "Cid", "Dee", "Eve", "Fay", "Gus", "Hal", "Ivy", "Jon", "Kim"}) {
        old += name + std::string(" 1 0 100 1 0\n");
    }
    old += "~\n"; // room enough for the complaint, as the error stream is a file too
    const std::string keys = "Ann\n" + lostGame(7);
    const std::string path = standingsFile(old);
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
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        EXPECT_THAT(entry.path().filename().string(), ::testing::Not(EndsWith(".tmp")));
    }
    std::filesystem::remove(path);
}

// A run killed at any moment of its save leaves the old file or the new one, never a part. The
// file is made large enough for the save to take a while, and the kill waits for the temporary
// file to appear.
TEST(Saving, AKillDuringTheSaveLeavesTheOldOrTheNewFile) {
    std::string old = "7\n";
    for (int i = 0; i < 100000; ++i) {
        old += "player" + std::to_string(i) + " 1 2 33 3 0\n";
    }
    old += "~\n";
    const std::string path = standingsFile(old);
    const std::string fresh = old.substr(0, old.size() - 2) + "Ann 0 0 0 0 0\n~\n";
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    const std::string hidden = "." + std::filesystem::path(path).filename().string() + ".";
    const auto temporaries = [&] {
        int count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            const std::string name = entry.path().filename().string();
            count += name.rfind(hidden, 0) == 0 && name.ends_with(".tmp");
        }
        return count;
    };
    bool caughtMidSave = false;
    for (int attempt = 0; attempt < 20 && !caughtMidSave; ++attempt) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            _exit(runAt(path, "Ann\n").status); // the input ends at the region prompt: a save
        }
        while (temporaries() == 0 && waitpid(child, nullptr, WNOHANG) == 0) {
            std::this_thread::yield();
        }
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        const std::string now = readFile(path);
        EXPECT_TRUE(now == old || now == fresh) << "attempt " << attempt;
        caughtMidSave = now == old && temporaries() > 0;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            if (entry.path().filename().string().rfind(hidden, 0) == 0) {
                std::filesystem::remove(entry.path());
            }
        }
        std::ofstream(path, std::ios::binary) << old;
    }
    EXPECT_TRUE(caughtMidSave);
    std::filesystem::remove(path);
}

} // namespace
} // namespace realmsfall
