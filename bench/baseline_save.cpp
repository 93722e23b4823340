// The yardstick for saving a large standings file: read it whole, check every record in one pass
// (the counter, then a name and five numbers a line, up to "~"), and write it back through a
// synced temporary file renamed over it. Usage: baseline_save FILE
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include <fcntl.h>
#include <unistd.h>

namespace {

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

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        return 64;
    }
    const std::string path = argv[1];
    std::ifstream in(path, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    if (!checked(text)) {
        std::fprintf(stderr, "baseline_save: %s is damaged\n", path.c_str());
        return 2;
    }
    const std::string temporary = path + ".tmp";
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const bool written = fd >= 0 &&
                         write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size()) &&
                         fsync(fd) == 0 && close(fd) == 0;
    return written && std::rename(temporary.c_str(), path.c_str()) == 0 ? 0 : 3;
}
