#pragma once

// Runs a program as a child over files, and measures what it cost: the CPU time it used and the
// most memory it held at once.
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace realmsfall::bench {

struct ChildCost {
    int status = -1;       // the wait status
    double cpuSeconds = 0; // user and system time
    long peakKiB = 0;      // the largest resident set
};

// `arguments` (the program first) in `folder`, reading `input` and writing `output`.
inline ChildCost runChild(const std::vector<std::string>& arguments, const std::string& folder,
                          const std::string& input, const std::string& output = "/dev/null") {
    const pid_t child = fork();
    if (child == 0) {
        const int in = open(input.c_str(), O_RDONLY);
        const int out = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (in < 0 || out < 0 || dup2(in, STDIN_FILENO) < 0 || dup2(out, STDOUT_FILENO) < 0 ||
            chdir(folder.c_str()) != 0) {
            _exit(127);
        }
        std::vector<char*> argv;
        for (const std::string& argument : arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    ChildCost cost;
    rusage usage{};
    if (child > 0 && wait4(child, &cost.status, 0, &usage) == child) {
        const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
        cost.cpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
        cost.peakKiB = usage.ru_maxrss;
    }
    return cost;
}

} // namespace realmsfall::bench
