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
//   yardsticks save FILE NAME RECORD SCREEN
//                              what a new player's game against a big standings file must at
//                              least do: reads its keys, reads FILE whole and scans its lines
//                              once, checking each record's five numbers by their characters
//                              and finding NAME's line; writes the screen recorded in SCREEN
//                              (as `writes` does); then writes the file back through a
//                              temporary file, the counter advanced, the other records as they
//                              stand (unparsed slices), RECORD last, synced and renamed over
//                              it, and the folder synced.
#include <algorithm>
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
#include <sys/stat.h>
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

// Reads the whole file, or nothing.
std::string readWhole(const char* path) {
    const int fd = open(path, O_RDONLY);
    struct stat status {};
    if (fd < 0 || fstat(fd, &status) != 0) {
        return {};
    }
    std::string text(static_cast<std::size_t>(status.st_size), '\0');
    std::size_t got = 0;
    while (got < text.size()) {
        const ssize_t read_ = read(fd, text.data() + got, text.size() - got);
        if (read_ <= 0) {
            break;
        }
        got += static_cast<std::size_t>(read_);
    }
    close(fd);
    text.resize(got);
    return text;
}

bool writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t put = write(fd, text.data(), text.size());
        if (put <= 0) {
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

int save(const char* path, std::string_view name, std::string_view record, const char* screen) {
    static char keys[1 << 16];
    while (read(STDIN_FILENO, keys, sizeof keys) > 0) {
    }
    const std::string text = readWhole(path);
    // One pass over the lines after the counter, up to "~": each record is checked by its
    // characters (five numbers of digits and minus signs, one blank apart), and the player's own
    // line is found on the way.
    const std::size_t first = text.find('\n') + 1;
    std::size_t at = first, end = text.size(), skipFrom = std::string::npos, skipTo = 0;
    long damaged = 0;
    while (at < text.size()) {
        const std::size_t lineEnd = std::min(text.find('\n', at), text.size());
        if (text[at] == '~') {
            end = at;
            break;
        }
        const std::size_t blank = text.find(' ', at);
        if (blank - at == name.size() && text.compare(at, name.size(), name) == 0) {
            skipFrom = at;
            skipTo = lineEnd + 1;
        }
        int numbers = 0;
        for (std::size_t i = blank; i < lineEnd; ++i) {
            if (text[i] == ' ') {
                ++numbers;
            } else if ((text[i] < '0' || text[i] > '9') && text[i] != '-') {
                ++damaged;
            }
        }
        damaged += numbers != 5;
        at = lineEnd + 1;
    }
    if (writes(screen) != 0) {
        return 1;
    }
    std::int64_t counter = 0;
    std::from_chars(text.data(), text.data() + first, counter);
    const std::string head = std::to_string(counter + 1) + "\n";
    const std::string tail = std::string(record) + "\n~\n";
    const std::string temporary = std::string(path) + ".tmp";
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const std::string_view whole = text;
    const bool found = skipFrom != std::string::npos;
    const bool written = fd >= 0 && writeAll(fd, head) &&
                         writeAll(fd, whole.substr(first, (found ? skipFrom : end) - first)) &&
                         (!found || writeAll(fd, whole.substr(skipTo, end - skipTo))) &&
                         writeAll(fd, tail) && fsync(fd) == 0 && close(fd) == 0 &&
                         std::rename(temporary.c_str(), path) == 0;
    const int folder = open(".", O_RDONLY | O_DIRECTORY);
    const bool synced = folder >= 0 && fsync(folder) == 0 && close(folder) == 0;
    return written && synced ? (damaged == 0 ? 0 : 2) : 3;
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
    if (argc == 6 && std::strcmp(argv[1], "save") == 0) {
        return save(argv[2], argv[3], argv[4], argv[5]);
    }
    std::fputs("usage: yardsticks copy | keep | writes FILE | save FILE NAME RECORD SCREEN | "
               "measure PROGRAM...\n",
               stderr);
    return 64;
}
