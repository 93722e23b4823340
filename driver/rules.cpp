#include "driver/rules.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace realmsfall {

namespace {

// The shell's answer when it cannot find the command it was given.
constexpr int COMMAND_NOT_FOUND = 127;

// Whether `folder` ends with the folders of `tail`.
bool endsWith(const std::filesystem::path& folder, const std::filesystem::path& tail) {
    auto at = folder.end();
    for (auto part = tail.end(); part != tail.begin();) {
        if (at == folder.begin() || *--at != *--part) {
            return false;
        }
    }
    return true;
}

// Runs `command` through the shell with `text` on its standard input, SIGINT and SIGPIPE at
// their defaults; returns its wait status, or -1 when no shell could be started.
int throughShell(const char* command, std::string_view text) {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) {
        return -1;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[0], STDIN_FILENO);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults, none;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGINT);
    sigaddset(&defaults, SIGPIPE);
    sigemptyset(&none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
    std::string shell = "sh", option = "-c", line = command;
    char* arguments[] = {shell.data(), option.data(), line.data(), nullptr};
    pid_t pager = 0;
    const int failure = posix_spawnp(&pager, "sh", &actions, &attributes, arguments, environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    close(ends[0]);
    // A pager that quits before the end makes the rest fail to write (SIGPIPE is ignored): the
    // reader has seen enough.
    for (std::size_t written = 0; failure == 0 && written < text.size();) {
        const ssize_t wrote = write(ends[1], text.data() + written, text.size() - written);
        if (wrote < 0 && errno != EINTR) {
            break;
        }
        written += wrote > 0 ? static_cast<std::size_t>(wrote) : 0;
    }
    close(ends[1]);
    int status = -1;
    while (failure == 0 && waitpid(pager, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

// Shows `text` through the first pager the shell finds; false when it finds none.
bool paged(std::string_view text) {
    const char* chosen = std::getenv("PAGER");
    for (const char* pager : {chosen, "pager", "less", "more"}) {
        if (pager == nullptr || *pager == '\0') {
            continue;
        }
        const int status = throughShell(pager, text);
        if (status == -1) {
            return false;
        }
        if (!WIFEXITED(status) || WEXITSTATUS(status) != COMMAND_NOT_FOUND) {
            return true;
        }
    }
    return false;
}

} // namespace

std::string rulesFilePath() {
    std::error_code unknown;
    const std::filesystem::path folder =
        std::filesystem::read_symlink("/proc/self/exe", unknown).parent_path();
    const std::filesystem::path games = REALMSFALL_GAMEDIR;
    const bool installed = games.is_absolute() ? folder == games : endsWith(folder, games);
    if (unknown || !installed) {
        return REALMSFALL_SOURCE_RULES;
    }
    // The rules' place relative to the game's folder (or a place of their own).
    return (folder / REALMSFALL_RULES_FROM_GAMEDIR).lexically_normal().string();
}

int showRules(Console& console) {
    console.out.flush();
    // Only the process's own standard output can be the terminal.
    bool shown = false;
    if (&console.out == &std::cout && isatty(STDOUT_FILENO) == 1) {
        struct sigaction ignored {};
        struct sigaction before {};
        ignored.sa_handler = SIG_IGN;
        sigaction(SIGINT, &ignored, &before);
        shown = paged(rulesText());
        sigaction(SIGINT, &before, nullptr);
    }
    if (!shown) {
        console.out << rulesText() << std::flush;
    }
    return 0;
}

} // namespace realmsfall
