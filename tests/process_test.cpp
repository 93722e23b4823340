// The real executable in processes of its own, for what only processes show: runs side by side,
// signals, special files, and saves that the system refuses. Each waits for the prompts it
// answers, never for a while.
#include "games.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <functional>
#include <poll.h>
#include <pty.h>
#include <ranges>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace realmsfall {
namespace {

using namespace testing;   // the game's test helpers
using namespace ::testing; // and the matchers

constexpr int PATIENCE_MS = 20000; // only a broken game ever waits this long
constexpr const char* AGAIN = "Would you like to play again? ";

// One run of the game in `folder`, with its keyboard, screen and error stream on pipes.
class Child {
  public:
    explicit Child(const std::string& folder, const std::function<void()>& inChild = {},
                   const std::string& game = GAME, std::vector<std::string> options = {}) {
        options.insert(options.begin(), "realmsfall");
        std::vector<char*> arguments;
        for (std::string& option : options) {
            arguments.push_back(option.data());
        }
        arguments.push_back(nullptr);
        std::signal(SIGPIPE, SIG_IGN); // a game that ended early shows as a failed write
        int keys[2], screen[2], errors[2];
        EXPECT_EQ(pipe2(keys, O_CLOEXEC) | pipe2(screen, O_CLOEXEC) | pipe2(errors, O_CLOEXEC), 0);
        pid_ = fork();
        if (pid_ == 0) {
            prctl(PR_SET_PDEATHSIG, SIGKILL); // a game stuck in a loop goes with a killed test
            dup2(keys[0], STDIN_FILENO);
            dup2(screen[1], STDOUT_FILENO);
            dup2(errors[1], STDERR_FILENO);
            if (chdir(folder.c_str()) == 0) {
                if (inChild) {
                    inChild();
                }
                execv(game.c_str(), arguments.data());
            }
            _exit(127);
        }
        close(keys[0]);
        close(screen[1]);
        close(errors[1]);
        keyboard_ = keys[1];
        screen_ = screen[0];
        errors_ = errors[0];
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    ~Child() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        for (const int fd : {keyboard_, screen_, errors_}) {
            if (fd >= 0) {
                close(fd);
            }
        }
    }

    void type(const std::string& keys) {
        ASSERT_EQ(write(keyboard_, keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
    }
    void signal(int number) { kill(pid_, number); }
    void closeScreen() { close(std::exchange(screen_, -1)); }
    // Waits until the game sleeps waiting for a lock (x86-64's flock).
    bool waitsForLock() {
        for (int looks = 0; call().first != "73"; ++looks, usleep(1000)) {
            if (looks > PATIENCE_MS) {
                return false;
            }
        }
        return true;
    }

    // Reads the screen until `text` has been shown `times` times in all.
    bool showed(const std::string& text, int times = 1) {
        for (std::size_t from = 0, at = 0; times > 0; --times, from = at + text.size()) {
            while ((at = screenText.find(text, from)) == std::string::npos) {
                if (!readSome(screen_, screenText)) {
                    return false;
                }
            }
        }
        return true;
    }

    // Reads the error stream until it holds `text`.
    bool said(const std::string& text) {
        while (complaints.find(text) == std::string::npos) {
            if (!readSome(errors_, complaints)) {
                return false;
            }
        }
        return true;
    }

    // Reads the screen until the game waits for the keyboard; returns what it showed meanwhile.
    std::string untilWaiting() {
        const std::size_t start = screenText.size();
        for (int looks = 0; !waitsForKeys(); ++looks) {
            pollfd ready{screen_, POLLIN, 0};
            if (looks > PATIENCE_MS ||
                (poll(&ready, 1, 1) == 1 && !readSome(screen_, screenText))) {
                ADD_FAILURE() << "the game ended or kept busy instead of waiting for the keyboard";
                break;
            }
        }
        for (pollfd ready{screen_, POLLIN, 0}; poll(&ready, 1, 0) == 1;) {
            readSome(screen_, screenText); // what it wrote before it began to wait
        }
        return screenText.substr(start);
    }

    // Closes the keyboard (unless the run is to end by itself), reads everything left and
    // returns the wait status.
    int finish(bool closeKeyboard = true) {
        if (closeKeyboard) {
            close(std::exchange(keyboard_, -1));
        }
        while (screen_ >= 0 && readSome(screen_, screenText)) {
        }
        while (readSome(errors_, complaints)) {
        }
        int status = 0;
        waitpid(std::exchange(pid_, -1), &status, 0);
        return status;
    }

    std::string screenText, complaints;

  private:
    // The process's count of reads, from /proc.
    long reads() const {
        std::ifstream io("/proc/" + std::to_string(pid_) + "/io");
        std::string key;
        long value = -1;
        while (io >> key >> value && key != "syscr:") {
        }
        return value;
    }
    // The system call the process is in (x86-64's number) and its first argument.
    std::pair<std::string, std::string> call() const {
        std::ifstream now("/proc/" + std::to_string(pid_) + "/syscall");
        std::pair<std::string, std::string> numbers;
        now >> numbers.first >> numbers.second;
        return numbers;
    }
    // Whether the game sleeps in a read of the keyboard (x86-64's read, on descriptor 0) begun
    // since this last said so: its count of reads, the same before and after the look, grew.
    bool waitsForKeys() {
        const long before = reads();
        if (call() != std::pair<std::string, std::string>("0", "0x0") || reads() != before ||
            before <= readsSeen_) {
            return false;
        }
        readsSeen_ = before;
        return true;
    }
    static bool readSome(int fd, std::string& into) {
        pollfd ready{fd, POLLIN, 0};
        char buffer[4096];
        if (poll(&ready, 1, PATIENCE_MS) != 1) {
            ADD_FAILURE() << "the game kept silent";
            return false;
        }
        const ssize_t got = read(fd, buffer, sizeof buffer);
        into.append(buffer, got > 0 ? static_cast<std::size_t>(got) : 0);
        return got > 0;
    }

    pid_t pid_ = -1;
    int keyboard_ = -1, screen_ = -1, errors_ = -1;
    long readsSeen_ = 0;
};

std::string exitOf(int status) {
    return WIFSIGNALED(status) ? "signal " + std::to_string(WTERMSIG(status))
                               : "status " + std::to_string(WEXITSTATUS(status));
}

// Types all of `keys`, then closes the keyboard and tells how the run ended.
std::string played(Child& child, const std::string& keys) {
    child.type(keys);
    return exitOf(child.finish());
}

// A folder of the test's own holding "standings.txt" with `text`; its path. (The in-process runs
// that work out a game's keys use the test's standings file beside it.)
std::string folderWith(const std::string& text) {
    const std::string folder = standingsFile("") + "-folder";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directory(folder);
    if (!text.empty()) {
        std::ofstream(folder + "/standings.txt", std::ios::binary) << text;
    }
    return folder;
}

// A whole game answered one question at a time: every question is on the screen by the time
// the game waits for its answer, and every turn is told before the pause that follows it.
TEST(Processes, EveryQuestionIsShownBeforeTheGameWaitsForTheAnswer) {
    const std::string folder = folderWith("0\n~\n");
    Child child(folder);
    for (const auto& [question, answer] : {std::pair{"Player, enter your name: ", "Tess\n"},
                                           {"Your region? ", "Pongi\n"},
                                           {"Call heads or tails: ", "h\n"}}) {
        ASSERT_THAT(child.untilWaiting(), EndsWith(question));
        child.type(answer);
    }
    int commands = 0, pauses = 0;
    for (std::string shown = child.untilWaiting(); !shown.ends_with(AGAIN);
         shown = child.untilWaiting()) {
        if (shown.ends_with("Enter the number of the unit you wish to command: ")) {
            ++commands;
            child.type("14\n");
        } else if (shown.ends_with("Discard which unit? ")) {
            child.type("1\n");
        } else {
            ASSERT_TRUE(shown.size() > 1 && shown.ends_with('\n')) << "a wait with nothing told";
            ASSERT_LT(++pauses, 1000);
            child.type("\n");
        }
    }
    EXPECT_TRUE(commands > 0 && pauses > commands);
    child.type("n\n");
    EXPECT_EQ(exitOf(child.finish()), "status 0");
    EXPECT_EQ(readFile(folder + "/standings.txt"), "1\nTess 0 1 0 1 0\n~\n");
}

// Both runs start from the same file and finish a game, then both saves wait for another
// program's lock. The second to save locks the file the first renamed over the old one and adds
// its game to what the first saved. A run starting meanwhile waits too, until a signal ends it.
TEST(Processes, RunsSideBySideKeepEveryGame) {
    const std::string folder = folderWith("0\nCid 1 0 100 1 0\n~\n");
    const int other = open((folder + "/standings.txt").c_str(), O_RDONLY | O_CLOEXEC);
    Child ann(folder), bob(folder);
    ann.type("Ann\n" + lostGame(0));
    bob.type("Bob\n" + lostGame(0)); // both took seed 0
    ASSERT_TRUE(ann.showed(AGAIN) && bob.showed(AGAIN));
    ASSERT_EQ(flock(other, LOCK_EX), 0);
    ann.type("n\n");
    bob.type("n\n");
    Child cid(folder);
    ASSERT_TRUE(ann.waitsForLock() && bob.waitsForLock() && cid.waitsForLock());
    cid.signal(SIGTERM);
    EXPECT_EQ(exitOf(cid.finish(false)), "signal 15");
    close(other);
    EXPECT_EQ(exitOf(ann.finish()), "status 0");
    EXPECT_EQ(exitOf(bob.finish()), "status 0");
    EXPECT_THAT(readFile(folder + "/standings.txt"),
                AnyOf("2\nCid 1 0 100 1 0\nAnn 0 1 0 1 0\nBob 0 1 0 1 0\n~\n",
                      "2\nCid 1 0 100 1 0\nBob 0 1 0 1 0\nAnn 0 1 0 1 0\n~\n"));
}

// Another program holds the lock: after about a second the run says it waits, and a signal gives
// the wait up at once. At the start nothing is shown or made; at the save the run says its games
// were not saved. Either way it ends by that signal. A run that a signal ended, with nobody left
// to give the wait up, gives up by itself after ten seconds.
TEST(Processes, AWaitForTheLockSpeaksAndGivesWayToASignal) {
    const std::string folder = folderWith("7\n~\n");
    const int holder = open((folder + "/standings.txt").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(flock(holder, LOCK_EX), 0);
    const std::string waiting = "realmsfall: standings.txt: waiting for another program to release "
                                "it (Ctrl-C gives up)\n",
                      gaveUp = "realmsfall: standings.txt: gave up waiting; the games of this run "
                               "were not saved\n";
    const auto endsWithin = [](Child& child, int signal, std::chrono::seconds limit) {
        const auto sent = std::chrono::steady_clock::now();
        child.signal(signal);
        const std::string how = exitOf(child.finish(false));
        EXPECT_LT(std::chrono::steady_clock::now() - sent, limit);
        return how;
    };
    Child starting(folder);
    ASSERT_TRUE(starting.said(waiting));
    EXPECT_EQ(endsWithin(starting, SIGINT, std::chrono::seconds(1)), "signal 2");
    EXPECT_EQ(starting.screenText + starting.complaints, waiting);
    Child saving(folder), cutOff(folder);
    ASSERT_EQ(flock(holder, LOCK_UN), 0);
    saving.type("Ann\n" + lostGame(7));
    cutOff.type("Bob\n" + lostGame(7));
    ASSERT_TRUE(saving.showed(AGAIN) && cutOff.showed(AGAIN));
    ASSERT_EQ(flock(holder, LOCK_EX), 0);
    saving.type("n\n");
    ASSERT_TRUE(saving.said(waiting));
    EXPECT_EQ(endsWithin(saving, SIGTERM, std::chrono::seconds(1)), "signal 15");
    EXPECT_EQ(saving.complaints, waiting + gaveUp);
    const auto sent = std::chrono::steady_clock::now();
    EXPECT_EQ(endsWithin(cutOff, SIGHUP, std::chrono::seconds(12)), "signal 1");
    EXPECT_GT(std::chrono::steady_clock::now() - sent, std::chrono::seconds(9));
    EXPECT_EQ(cutOff.complaints, waiting + gaveUp);
    EXPECT_EQ(readFile(folder + "/standings.txt"), "7\n~\n");
    close(holder);
}

// Ctrl-C, a kill or a closed terminal in the third game: the first two are kept, the third is
// not booked but took its seed, and the run ends by the signal. Under nohup a hang-up changes
// nothing.
TEST(Processes, ASignalInTheThirdGameKeepsTheFirstTwo) {
    const std::string twoGames = "Ann\n" + lostGame(7) + "y\n" + lostGame(8) + "y\nPongi\n";
    for (const int number : {SIGINT, SIGTERM, SIGHUP}) {
        const std::string folder = folderWith("7\n~\n");
        Child child(folder);
        child.type(twoGames);
        ASSERT_TRUE(child.showed("Call heads or tails: ", 3));
        child.signal(number);
        EXPECT_EQ(exitOf(child.finish(false)), "signal " + std::to_string(number));
        EXPECT_EQ(readFile(folder + "/standings.txt"), "10\nAnn 0 2 0 2 0\n~\n");
        EXPECT_EQ(child.complaints, "");
    }
    const std::string folder = folderWith("7\n~\n");
    Child child(folder, [] { std::signal(SIGHUP, SIG_IGN); });
    child.type("Ann\n");
    ASSERT_TRUE(child.showed("Your region? "));
    child.signal(SIGHUP);
    EXPECT_EQ(played(child, lostGame(7) + "n\n"), "status 0");
    EXPECT_EQ(readFile(folder + "/standings.txt"), "8\nAnn 0 1 0 1 0\n~\n");
}

// A screen that went away, or a keyboard that cannot be read, ends the run as the end of input.
TEST(Processes, AClosedScreenEndsTheRunAndKeepsItsGames) {
    const std::string folder = folderWith("7\n~\n");
    Child child(folder);
    child.type("Ann\n" + lostGame(7) + "y\nPongi\n");
    ASSERT_TRUE(child.showed("Call heads or tails: ", 2));
    child.closeScreen();
    child.type("h\n");
    EXPECT_EQ(exitOf(child.finish(false)), "status 1");
    EXPECT_EQ(readFile(folder + "/standings.txt"), "9\nAnn 0 1 0 1 0\n~\n");
    Child folderForKeys(folder, [] { dup2(open(".", O_RDONLY), STDIN_FILENO); });
    EXPECT_EQ(exitOf(folderForKeys.finish()), "status 1");
}

// A folder cannot be read, a fifo would hang the start, a link to an endless device would fill
// the memory, and a device replaced by a plain file would be lost: each is refused at once and
// left as it is, as is a file whose reading fails.
TEST(Processes, SpecialFilesAreRefusedWithoutReadingThem) {
    const std::string folder = folderWith("");
    const std::string path = folder + "/standings.txt";
    std::filesystem::create_directory(path);
    Child directory(folder);
    EXPECT_EQ(played(directory, "Ann\n"), "status 2");
    EXPECT_THAT(directory.complaints, HasSubstr("standings.txt: cannot be read: it is a folder"));
    std::filesystem::remove(path);
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    Child fifo(folder);
    EXPECT_EQ(exitOf(fifo.finish()), "status 2");
    EXPECT_THAT(fifo.complaints, HasSubstr("standings.txt: cannot be read: it is a fifo"));
    EXPECT_TRUE(std::filesystem::is_fifo(path));
    std::filesystem::remove(path);
    std::filesystem::create_symlink("/dev/zero", path);
    Child device(folder);
    EXPECT_EQ(played(device, "Ann\n"), "status 2");
    EXPECT_THAT(device.complaints, HasSubstr("standings.txt: cannot be read: it is a device"));
    EXPECT_EQ(std::filesystem::read_symlink(path), "/dev/zero");
    std::filesystem::remove(path);
    const int listening = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(bind(listening, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    Child socketFile(folder);
    EXPECT_EQ(exitOf(socketFile.finish()), "status 2");
    EXPECT_THAT(socketFile.complaints, HasSubstr("standings.txt: cannot be read: it is a socket"));
    close(listening);
    std::filesystem::remove(path);
    std::filesystem::create_symlink("/proc/self/mem", path); // a plain file that fails to read
    Child failing(folder);
    EXPECT_EQ(played(failing, "Ann\n"), "status 2");
    EXPECT_THAT(failing.complaints, HasSubstr("standings.txt: cannot be read: Input/output error"));
}

// With too small a file size allowed, the new file cannot be written: the old one stays, the
// temporary file goes, and the run says so and ends with 3. A temporary file a killed run left
// behind is cleared away.
TEST(Processes, ASaveThatFailsLeavesTheOldFile) {
    const std::string old = "7\nBob 1 0 100 1 0\n~\n";
    const std::string folder = folderWith(old);
    std::ofstream(folder + "/.standings.txt.azAZ09.tmp") << "left by a killed run";
    std::ofstream(folder + "/.standings.txt.@[`{:~.tmp") << "no temporary file of the game's";
    Child child(folder, [&old] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{old.size(), old.size()};
        setrlimit(RLIMIT_FSIZE, &limit);
    });
    EXPECT_EQ(played(child, "Ann\n" + lostGame(7) + "n\n"), "status 3");
    EXPECT_EQ(child.complaints,
              "realmsfall: the results could not be saved to standings.txt: File too large\n");
    EXPECT_EQ(readFile(folder + "/standings.txt"), old);
    EXPECT_EQ(std::ranges::distance(std::filesystem::directory_iterator(folder)), 2);
}

// A file with a second name keeps both: it is rewritten in place.
TEST(Processes, AFileWithTwoNamesIsRewrittenInPlace) {
    const std::string folder = folderWith("7\n~\n");
    std::filesystem::create_hard_link(folder + "/standings.txt", folder + "/other-name");
    Child child(folder);
    EXPECT_EQ(played(child, "Ann\n" + lostGame(7) + "n\n"), "status 0");
    EXPECT_EQ(readFile(folder + "/other-name"), "8\nAnn 0 1 0 1 0\n~\n");
    EXPECT_EQ(std::filesystem::hard_link_count(folder + "/standings.txt"), 2u);
}

// A shared score file: writable by the player, in a folder the player cannot write to, is
// rewritten in place; a file the player may not write is refused. As root, the runs play as
// nobody.
TEST(Processes, AFolderThePlayerCannotWriteTo) {
    const std::string folder = folderWith("7\n~\n");
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
        EXPECT_EQ(played(child, "Ann\n" + lostGame(7) + "n\n"), "status 0") << child.complaints;
        EXPECT_EQ(readFile(path), "8\nAnn 0 1 0 1 0\n~\n");
    }
    // A file the player may write but does not own, in a folder the player may write to: a
    // renamed new file would be the player's, so the file is rewritten in place and stays its
    // owner's.
    if (geteuid() == 0) {
        ASSERT_EQ(chmod(folder.c_str(), 0777) | chown(path.c_str(), 0, 65534), 0);
        Child child(folder, asPlayer, game);
        EXPECT_EQ(played(child, "Ann\n" + lostGame(8) + "n\n"), "status 0") << child.complaints;
        struct stat owned {};
        EXPECT_TRUE(stat(path.c_str(), &owned) == 0 && owned.st_uid == 0);
        EXPECT_EQ(readFile(path), "9\nAnn 0 2 0 2 0\n~\n");
    }
    // A file the player may not write is refused before the game: its games could not be kept.
    ASSERT_EQ(chmod(path.c_str(), 0444) | chmod(folder.c_str(), 0555), 0);
    const std::string before = readFile(path);
    Child child(folder, asPlayer, game);
    EXPECT_EQ(played(child, "Ann\n"), "status 3");
    EXPECT_THAT(child.complaints, MatchesRegex("realmsfall: standings.txt: cannot be written: "
                                               "Permission denied; [^\n]* -f FILE[^\n]*\n"));
    EXPECT_EQ(child.screenText, "");
    EXPECT_EQ(readFile(path), before);
    // Nor can a file be made in a folder the player cannot write to; nothing is left there.
    ASSERT_EQ(chmod(folder.c_str(), 0755), 0);
    std::filesystem::remove(path);
    ASSERT_EQ(chmod(folder.c_str(), 0555), 0);
    Child making(folder, asPlayer, game);
    EXPECT_EQ(played(making, "Ann\n"), "status 3");
    EXPECT_THAT(making.complaints, MatchesRegex("realmsfall: standings.txt: cannot be created: "
                                                "Permission denied; [^\n]*--deal N\n"));
    EXPECT_EQ(making.screenText, "");
    EXPECT_TRUE(std::filesystem::is_empty(folder));
    chmod(folder.c_str(), 0755);
    std::filesystem::remove(game);
}

// The options that play no game, as the shell sees them: nothing is created, and the standings
// file's default name is told.
TEST(Processes, OptionsThatPlayNoGame) {
    const std::string folder = folderWith("");
    const std::string tryHelp = "Try 'realmsfall --help' for more information.\n";
    for (const auto& [option, status, shown, complaint] : {
             std::tuple<std::string, std::string, std::string, std::string>{
                 "-s", "status 0", "No standings yet: standings.txt does not exist.\n", ""},
             {"--rules", "status 0", readFile(RULES_FILE), ""},
             {"-x", "status 64", "", tryHelp},
         }) {
        Child child(folder, {}, GAME, {option});
        EXPECT_EQ(exitOf(child.finish()), status) << option;
        EXPECT_EQ(child.screenText, shown);
        EXPECT_EQ(child.complaints.empty(), complaint.empty());
        EXPECT_THAT(child.complaints, EndsWith(complaint));
    }
    EXPECT_TRUE(std::filesystem::is_empty(folder));
}

// `--rules` on a pseudo-terminal with PAGER and PATH as given, its error stream thrown away;
// `keys` are typed once the screen shows `cue`. How it ended, and the screen, with the
// terminal's line ends made plain.
std::pair<std::string, std::string> rulesOnTerminal(const std::string& pager,
                                                    const std::string& path,
                                                    const std::string& cue = "",
                                                    const std::string& keys = "") {
    int terminal = -1;
    const pid_t game = forkpty(&terminal, nullptr, nullptr, nullptr);
    if (game == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        const int nowhere = open("/dev/null", O_WRONLY);
        dup2(nowhere, STDERR_FILENO);
        setenv("PAGER", pager.c_str(), 1);
        setenv("PATH", path.c_str(), 1);
        execl(GAME, "realmsfall", "--rules", static_cast<char*>(nullptr));
        _exit(127);
    }
    std::string screen;
    bool typed = cue.empty();
    char buffer[4096];
    for (pollfd ready{terminal, POLLIN, 0}; poll(&ready, 1, PATIENCE_MS) == 1;) {
        const ssize_t got = read(terminal, buffer, sizeof buffer);
        if (got <= 0) { // the game and its pager have closed the terminal
            break;
        }
        screen.append(buffer, static_cast<std::size_t>(got));
        if (!typed && screen.find(cue) != std::string::npos) {
            typed = write(terminal, keys.data(), keys.size()) == static_cast<ssize_t>(keys.size());
        }
    }
    close(terminal);
    int status = 0;
    waitpid(game, &status, 0);
    for (std::size_t at = 0; (at = screen.find("\r\n", at)) != std::string::npos;) {
        screen.erase(at, 1);
    }
    return {exitOf(status), screen};
}

// On a terminal the rules go through the pager that PAGER names, else the first of pager, less
// and more that the shell finds, else plainly; a reader who quits early has seen enough. Ctrl-C
// ends the pager, and the game goes on to its normal end.
TEST(Processes, TheRulesOnATerminalGoThroughAPager) {
    const std::string rules = readFile(RULES_FILE), everywhere = std::getenv("PATH");
    const std::string shellOnly = folderWith(""), lessToo = shellOnly + "/less-folder";
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
    // A pager that outlived Ctrl-C would keep the terminal open until the wait for the screen
    // gives up and hangs it up.
    const auto [ended, screen] =
        rulesOnTerminal("echo paging; exec sleep 60", everywhere, "paging", "\x03");
    EXPECT_EQ(ended, "status 0") << screen;
}

} // namespace
} // namespace realmsfall
