// The plainest programs that do what a run of the game must at least do, to measure the game
// against:
//   yardsticks copy            reads its input in blocks and writes it out again;
//   yardsticks keep            reads its input in blocks into one buffer that realloc grows to
//                              fit it exactly, then writes it out: what a program that must
//                              hold the input, as the game holds a name, costs at least;
//   yardsticks writes FILE     writes the pieces recorded in FILE, one write each, as a run
//                              flushes its screen (FILE: each piece's length as 8 bytes, then
//                              the piece);
//   yardsticks measure PROGRAM [ARGUMENT]...
//                              runs PROGRAM as its child and writes to standard error the child's
//                              wait status, CPU time in seconds and peak memory in KiB; being
//                              small, it lends the child next to no memory of its own;
//   yardsticks save FILE       reads a standings file whole, checks every record in one pass
//                              (the counter, then a name and five numbers a line, up to "~")
//                              and writes it back through a synced temporary file renamed
//                              over it.
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

bool writeAll(std::string_view text) {
    while (!text.empty()) {
        const ssize_t put = write(STDOUT_FILENO, text.data(), text.size());
        if (put <= 0) {
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

int copy() {
    static char block[1 << 16];
    for (;;) {
        const ssize_t got = read(STDIN_FILENO, block, sizeof block);
        if (got <= 0) {
            return got == 0 ? 0 : 1;
        }
        if (!writeAll({block, static_cast<std::size_t>(got)})) {
            return 1;
        }
    }
}

int keep() {
    static char block[1 << 16];
    char* kept = nullptr;
    std::size_t size = 0;
    for (;;) {
        const ssize_t got = read(STDIN_FILENO, block, sizeof block);
        if (got <= 0) {
            const bool written = got == 0 && writeAll({kept, size});
            std::free(kept);
            return written ? 0 : 1;
        }
        const auto count = static_cast<std::size_t>(got);
        char* const grown = static_cast<char*>(std::realloc(kept, size + count));
        if (grown == nullptr) {
            std::free(kept);
            return 1;
        }
        kept = grown;
        std::memcpy(kept + size, block, count);
        size += count;
    }
}

int writes(const char* path) {
    std::ifstream in(path, std::ios::binary);
    const std::string pieces{std::istreambuf_iterator<char>(in), {}};
    std::string_view rest = pieces;
    while (rest.size() >= sizeof(std::uint64_t)) {
        std::uint64_t length = 0;
        std::memcpy(&length, rest.data(), sizeof length);
        rest.remove_prefix(sizeof length);
        if (length > rest.size() || !writeAll(rest.substr(0, length))) {
            return 1;
        }
        rest.remove_prefix(length);
    }
    return rest.empty() ? 0 : 1;
}

bool isNumber(std::string_view text) {
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

// One line: the name and five numbers, one blank apart.
bool isRecord(std::string_view line) {
    const std::size_t name = line.find(' ');
    if (name == 0 || name == std::string_view::npos) {
        return false;
    }
    line.remove_prefix(name + 1);
    for (int i = 0; i < 5; ++i) {
        const std::size_t end = i < 4 ? line.find(' ') : line.size();
        if (end == std::string_view::npos || !isNumber(line.substr(0, end))) {
            return false;
        }
        line.remove_prefix(i < 4 ? end + 1 : end);
    }
    return true;
}

bool checked(std::string_view text) {
    bool first = true;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (first ? !isNumber(line) : line != "~" && !isRecord(line)) {
            return false;
        }
        if (!first && line == "~") {
            return true;
        }
        first = false;
    }
    return false;
}

int save(const char* file) {
    const std::string path = file;
    std::ifstream in(path, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    if (!checked(text)) {
        std::fprintf(stderr, "yardsticks: %s is damaged\n", path.c_str());
        return 2;
    }
    const std::string temporary = path + ".tmp";
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const bool written = fd >= 0 &&
                         write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size()) &&
                         fsync(fd) == 0 && close(fd) == 0;
    return written && std::rename(temporary.c_str(), path.c_str()) == 0 ? 0 : 3;
}

int measure(char** program) {
    const pid_t child = fork();
    if (child == 0) {
        execv(program[0], program);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) != child) {
        return 1;
    }
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    std::fprintf(stderr, "%d %.6f %ld\n", status, seconds(usage.ru_utime) + seconds(usage.ru_stime),
                 usage.ru_maxrss);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "measure") == 0) {
        return measure(argv + 2);
    }
    if (argc == 2 && std::strcmp(argv[1], "copy") == 0) {
        return copy();
    }
    if (argc == 2 && std::strcmp(argv[1], "keep") == 0) {
        return keep();
    }
    if (argc == 3 && std::strcmp(argv[1], "writes") == 0) {
        return writes(argv[2]);
    }
    if (argc == 3 && std::strcmp(argv[1], "save") == 0) {
        return save(argv[2]);
    }
    std::fputs("usage: yardsticks copy | keep | writes FILE | save FILE | measure PROGRAM...\n",
               stderr);
    return 64;
}
