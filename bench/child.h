#pragma once

// Runs a program as a child over files, and measures what it cost: the CPU time it used and the
// most memory it held at once.
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace realmsfall::bench {

struct ChildCost {
    int status = -1;       // the wait status
    double cpuSeconds = 0; // user and system time
    long peakKiB = 0;      // the largest resident set
};

// `arguments` (the program first) in `folder`, reading `input` and writing `output`. The child
// is run through `measurer` (yardsticks measure), which reports its cost on standard error: a
// child forked straight from this large process would count this process's memory as its own.
inline ChildCost runChild(const std::string& measurer, std::vector<std::string> arguments,
                          const std::string& folder, const std::string& input,
                          const std::string& output = "/dev/null") {
    arguments.insert(arguments.begin(), {measurer, "measure"});
    const std::string report = folder + "/.cost";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, input.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, report.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid_t child = 0;
    int launched = -1;
    if (posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        waitpid(child, &launched, 0);
    }
    posix_spawn_file_actions_destroy(&actions);
    ChildCost cost;
    std::ifstream said(report);
    std::string line, last;
    while (std::getline(said, line)) {
        last = line; // the game's own complaints come first
    }
    std::istringstream(last) >> cost.status >> cost.cpuSeconds >> cost.peakKiB;
    if (launched != 0) {
        cost.status = -1;
    }
    return cost;
}

} // namespace realmsfall::bench
