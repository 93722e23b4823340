// The real executable in processes of its own: runs side by side, signals, special files, saves
// that the system refuses, the pager. Each waits for the prompts it answers, never for a while.
#include "games.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <poll.h>
#include <pty.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace realmsfall {
namespace {

using namespace testing;   // the game's test helpers
using namespace ::testing; // and the matchers

constexpr int PATIENCE_MS = 20000; // only a broken game ever waits this long
const std::string WAITING = "realmsfall: standings.txt: waiting for another program to release it "
                            "(Ctrl-C gives up)\n";

// How many times `text` stands in `in`.
int occurrences(const std::string& in, const std::string& text) {
    int found = 0;
    for (auto at = in.find(text); at != std::string::npos; at = in.find(text, at + text.size())) {
        ++found;
    }
    return found;
}

// One run of the game in `folder`, its error stream on a pipe, its keyboard and screen on pipes
// or, when it is given an option, on a pseudo-terminal.
class Child {
  public:
    explicit Child(const std::string& folder, const std::function<void()>& inChild = {},
                   const std::string& game = GAME, const char* option = nullptr) {
        std::signal(SIGPIPE, SIG_IGN); // a game that ended early shows as a failed write
        int keys[2], screen[2], errors[2], terminal = -1;
        EXPECT_EQ(pipe2(keys, O_CLOEXEC) | pipe2(screen, O_CLOEXEC) | pipe2(errors, O_CLOEXEC), 0);
        if ((pid_ = option ? forkpty(&terminal, nullptr, nullptr, nullptr) : fork()) == 0) {
            prctl(PR_SET_PDEATHSIG, SIGKILL); // a game stuck in a loop goes with a killed test
            if (option == nullptr) {
                dup2(keys[0], STDIN_FILENO);
                dup2(screen[1], STDOUT_FILENO);
            }
            dup2(errors[1], STDERR_FILENO);
            if (chdir(folder.c_str()) == 0) {
                if (inChild) {
                    inChild();
                }
                execl(game.c_str(), "realmsfall", option, static_cast<char*>(nullptr));
            }
            _exit(127);
        }
        for (const int end : {keys[0], screen[1], errors[1]}) {
            close(end);
        }
        if (option != nullptr) {
            close(std::exchange(keys[1], terminal));
            close(std::exchange(screen[0], dup(terminal)));
        }
        fds_ = {keys[1], screen[0], errors[0]};
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    ~Child() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        for (const int fd : fds_) {
            close(fd);
        }
    }

    void type(const std::string& keys) {
        ASSERT_EQ(write(fds_[0], keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
    }
    void signal(int number) { kill(pid_, number); }
    void closeScreen() { close(std::exchange(fds_[1], -1)); }

    // Reads the screen and the error stream until they have shown `text` `times` times in all;
    // false if the game ended first.
    bool showed(const std::string& text, int times = 1) {
        for (int looks = 0; occurrences(screenText + complaints, text) < times; ++looks) {
            pollfd ready[] = {{fds_[1], POLLIN, 0}, {fds_[2], POLLIN, 0}};
            if (looks > PATIENCE_MS) {
                ADD_FAILURE() << "the game kept busy or silent";
                return false;
            }
            if (poll(ready, 2, 1) > 0 && ((ready[0].revents != 0 && !readSome(1, screenText)) ||
                                          (ready[1].revents != 0 && !readSome(2, complaints)))) {
                return false;
            }
        }
        return true;
    }
    // Closes the keyboard (unless the run is to end by itself), reads everything left and tells
    // how the run ended.
    std::string finish(bool closeKeyboard = true) {
        if (closeKeyboard) {
            close(std::exchange(fds_[0], -1));
        }
        while (fds_[1] >= 0 && readSome(1, screenText)) {
        }
        while (readSome(2, complaints)) {
        }
        int status = 0;
        waitpid(std::exchange(pid_, -1), &status, 0);
        return WIFSIGNALED(status) ? "signal " + std::to_string(WTERMSIG(status))
                                   : "status " + std::to_string(WEXITSTATUS(status));
    }
    std::string played(const std::string& keys) { return type(keys), finish(); }

    std::string screenText, complaints;

  private:
    bool readSome(int which, std::string& into) {
        pollfd ready{fds_[which], POLLIN, 0};
        char buffer[4096];
        if (poll(&ready, 1, PATIENCE_MS) != 1) {
            ADD_FAILURE() << "the game kept silent";
            return false;
        }
        const ssize_t got = read(fds_[which], buffer, sizeof buffer);
        into.append(buffer, got > 0 ? static_cast<std::size_t>(got) : 0);
        return got > 0;
    }

    pid_t pid_ = -1;
    std::array<int, 3> fds_{-1, -1, -1}; // keyboard, screen, error stream
};

// Three runs start from the same file and finish a game, then their saves wait for another
// program's lock. The second to save locks the file the first renamed over the old one and adds
// its game to what the first saved. After about a second a waiting run says so, and a signal
// gives the wait up at once: the third says its games were not saved, and a run that began
// meanwhile has shown and made nothing. Each ends by that signal.
TEST(Processes, RunsSideBySideKeepEveryGameAndASignalGivesUpAWait) {
    const std::string folder = ownFolder("0\nCid 1 0 100 1 0\n~\n");
    const int other = open((folder + "/standings.txt").c_str(), O_RDONLY | O_CLOEXEC);
    const auto endsBy = [](Child& child, int signal) {
        const auto sent = std::chrono::steady_clock::now();
        child.signal(signal);
        const std::string how = child.finish(false);
        EXPECT_LT(std::chrono::steady_clock::now() - sent, std::chrono::seconds(1));
        return how;
    };
    Child ann(folder), bob(folder), dee(folder);
    for (auto [run, name] : {std::pair{&ann, "Ann\n"}, {&bob, "Bob\n"}, {&dee, "Dee\n"}}) {
        run->type(name + lostGame(0)); // all take seed 0
        ASSERT_TRUE(run->showed("Would you like to play again? "));
    }
    ASSERT_EQ(flock(other, LOCK_EX), 0);
    for (Child* run : {&ann, &bob, &dee}) {
        run->type("n\n");
    }
    Child cid(folder);
    for (Child* run : {&ann, &bob, &dee, &cid}) {
        ASSERT_TRUE(run->showed(WAITING));
    }
    EXPECT_EQ(endsBy(cid, SIGINT), "signal 2");
    EXPECT_EQ(cid.screenText + cid.complaints, WAITING);
    EXPECT_EQ(endsBy(dee, SIGTERM), "signal 15");
    EXPECT_EQ(dee.complaints, WAITING + "realmsfall: standings.txt: gave up waiting; the games of "
                                        "this run were not saved\n");
    close(other);
    EXPECT_EQ(ann.finish(), "status 0");
    EXPECT_EQ(bob.finish(), "status 0");
    EXPECT_THAT(readFile(folder + "/standings.txt"),
                AnyOf("2\nCid 1 0 100 1 0\nAnn 0 1 0 1 0\nBob 0 1 0 1 0\n~\n",
                      "2\nCid 1 0 100 1 0\nBob 0 1 0 1 0\nAnn 0 1 0 1 0\n~\n"));
}

// Ctrl-C, a kill or a closed terminal in the third game: the first two are kept, the third is
// not booked but took its seed, and the run ends by the signal. A screen that went away ends it
// as the end of input does, as does a keyboard that cannot be read. Under nohup a hang-up changes
// nothing.
TEST(Processes, ASignalOrAClosedScreenInTheThirdGameKeepsTheFirstTwo) {
    const std::string twoGames = "Ann\n" + lostGame(7) + "y\n" + lostGame(8) + "y\nPongi\n";
    for (const int number : {SIGINT, SIGTERM, SIGHUP, 0}) {
        const std::string folder = ownFolder("7\n~\n");
        Child child(folder);
        child.type(twoGames);
        ASSERT_TRUE(child.showed("Call heads or tails: ", 3));
        number == 0 ? child.closeScreen(), child.type("h\n") : child.signal(number);
        EXPECT_EQ(child.finish(false),
                  number == 0 ? "status 1" : "signal " + std::to_string(number));
        EXPECT_EQ(readFile(folder + "/standings.txt"), "10\nAnn 0 2 0 2 0\n~\n");
        EXPECT_THAT(child.screenText, EndsWith(number == 0 ? "tails: " : "tails: \n")); // at once
        EXPECT_EQ(child.complaints, "");
    }
    const std::string folder = ownFolder("7\n~\n");
    Child child(folder, [] { std::signal(SIGHUP, SIG_IGN); });
    const std::string game = lostGame(7), start = "Pongi\nh\n"; // each question shows at once
    child.type("Ann\n");
    ASSERT_TRUE(child.showed("Your region? "));
    child.signal(SIGHUP);
    child.type(start);
    ASSERT_TRUE(child.showed("Enter the number of the unit you wish to command: "));
    EXPECT_EQ(child.played(game.substr(start.size()) + "n\n"), "status 0");
    EXPECT_EQ(readFile(folder + "/standings.txt"), "8\nAnn 0 1 0 1 0\n~\n");
    Child folderForKeys(folder, [] { dup2(open(".", O_RDONLY), STDIN_FILENO); });
    EXPECT_EQ(folderForKeys.finish(), "status 1");
}

// A folder cannot be read, a fifo would hang the start, a link to an endless device would fill
// the memory, and a device replaced by a plain file would be lost: each is refused at once and
// left as it is, as is a file whose reading fails.
TEST(Processes, SpecialFilesAreRefusedWithoutReadingThem) {
    namespace fs = std::filesystem;
    const std::string folder = ownFolder(""), path = folder + "/standings.txt";
    for (const auto& [made, complaint] : std::vector<std::pair<std::function<void()>, std::string>>{
             {[&path] { fs::create_directory(path); }, "it is a folder"},
             {[&path] { mkfifo(path.c_str(), 0600); }, "it is a fifo"},
             {[&path] { fs::create_symlink("/dev/zero", path); }, "it is a device"},
             {[&path] { fs::create_symlink("/proc/self/mem", path); }, "Input/output error"},
         }) { // the last, a plain file that fails to read
        made();
        const fs::file_type before = fs::symlink_status(path).type();
        Child child(folder);
        EXPECT_EQ(child.finish(), "status 2") << complaint;
        EXPECT_THAT(child.complaints, HasSubstr("standings.txt: cannot be read: " + complaint));
        EXPECT_EQ(fs::symlink_status(path).type(), before) << complaint;
        fs::remove(path);
    }
}

// A shared score file: writable by the player, in a folder the player cannot write to, is
// rewritten in place; a file the player may not write is refused. As root, the runs play as
// nobody.
TEST(Processes, AFolderThePlayerCannotWriteTo) {
    const std::string folder = ownFolder("7\n~\n");
    const std::string path = folder + "/standings.txt", game = folder + "-game";
    const auto asPlayer = [] {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) {
            _exit(126);
        }
    };
    // A copy of the game that the player can reach wherever the build is.
    std::filesystem::copy_file(GAME, game, std::filesystem::copy_options::overwrite_existing);
    ASSERT_EQ(chmod(game.c_str(), 0755) | chmod(path.c_str(), 0666) | chmod(folder.c_str(), 0555),
              0);
    {
        Child child(folder, asPlayer, game);
        EXPECT_EQ(child.played("Ann\n" + lostGame(7) + "n\n"), "status 0") << child.complaints;
        EXPECT_EQ(readFile(path), "8\nAnn 0 1 0 1 0\n~\n");
    }
    // A file the player may write but does not own, in a folder the player may write to: a
    // renamed new file would be the player's, so the file is rewritten in place and stays its
    // owner's.
    if (geteuid() == 0) {
        ASSERT_EQ(chmod(folder.c_str(), 0777) | chown(path.c_str(), 0, 65534), 0);
        Child child(folder, asPlayer, game);
        EXPECT_EQ(child.played("Ann\n" + lostGame(8) + "n\n"), "status 0") << child.complaints;
        struct stat owned {};
        ASSERT_EQ(stat(path.c_str(), &owned), 0);
        EXPECT_EQ(owned.st_uid, 0u);
        EXPECT_EQ(readFile(path), "9\nAnn 0 2 0 2 0\n~\n");
    }
    // A file the player may not write is refused before the game: its games could not be kept.
    ASSERT_EQ(chmod(path.c_str(), 0444) | chmod(folder.c_str(), 0555), 0);
    const std::string before = readFile(path);
    Child child(folder, asPlayer, game);
    EXPECT_EQ(child.played("Ann\n"), "status 3");
    EXPECT_EQ(child.complaints, "realmsfall: standings.txt: cannot be written: Permission denied; "
                                "keep the records elsewhere with -f FILE, or play without keeping "
                                "them with --deal N\n");
    EXPECT_EQ(child.screenText, "");
    EXPECT_EQ(readFile(path), before);
}

// `--rules` on a terminal with PAGER and PATH as given; `keys` are typed once the screen shows
// `cue`. How it ended, and the screen, with the terminal's line ends made plain.
std::pair<std::string, std::string> rulesOnTerminal(const std::string& pager,
                                                    const std::string& path,
                                                    const std::string& cue = "",
                                                    const std::string& keys = "") {
    const auto environment = [&] {
        setenv("PAGER", pager.c_str(), 1);
        setenv("PATH", path.c_str(), 1);
    };
    Child child(".", environment, GAME, "--rules");
    if (!cue.empty()) {
        EXPECT_TRUE(child.showed(cue));
        child.type(keys);
    }
    const std::string ended = child.finish(false);
    std::erase(child.screenText, '\r');
    return {ended, child.screenText};
}

// On a terminal the rules go through the pager that PAGER names, else the first of pager, less
// and more that the shell finds, else plainly; a reader who quits early has seen enough. Ctrl-C
// ends the pager, and the game goes on to its normal end.
TEST(Processes, TheRulesOnATerminalGoThroughAPager) {
    const std::string rules = readFile(RULES_FILE), everywhere = std::getenv("PATH");
    const std::string shellOnly = ownFolder(""), lessToo = shellOnly + "/less-folder";
    std::filesystem::create_symlink("/bin/sh", shellOnly + "/sh");
    std::filesystem::create_directory(lessToo);
    std::ofstream(lessToo + "/less") << "#!/bin/sh\necho paged by less\nexec /bin/cat\n";
    ASSERT_EQ(chmod((lessToo + "/less").c_str(), 0755), 0);
    for (const auto& [pager, path, shown] : {
             std::tuple<std::string, std::string, std::string>{"cat", everywhere, rules},
             {"", shellOnly + ":" + lessToo, "paged by less\n" + rules},
             {"no-such-pager", shellOnly, rules},
             {"head -c 99", everywhere, rules.substr(0, 99)},
         }) {
        const auto [ended, screen] = rulesOnTerminal(pager, path);
        EXPECT_EQ(ended, "status 0") << pager;
        EXPECT_EQ(screen, shown) << pager;
    }
    // Not on a terminal, the rules are printed plainly, whatever PAGER says.
    FILE* const pipe = popen(("PAGER='echo paged' " + std::string(GAME) + " --rules").c_str(), "r");
    std::string plain(rules.size() + 1, '\0');
    plain.resize(std::fread(plain.data(), 1, plain.size(), pipe));
    EXPECT_EQ(pclose(pipe), 0);
    EXPECT_EQ(plain, rules);
    // A pager that outlived Ctrl-C would keep the terminal open until the wait for the screen
    // gives up.
    const auto [ended, screen] =
        rulesOnTerminal("echo paging; exec sleep 60", everywhere, "paging", "\x03");
    EXPECT_EQ(ended, "status 0") << screen;
}

} // namespace
} // namespace realmsfall
