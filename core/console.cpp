#include "core/console.h"

#include "core/string.h"

#include <istream>
#include <ostream>
#include <string>

namespace realmsfall {

namespace {

constexpr const char* INVALID_NUMBER = "Invalid number, please re-enter: ";

// The accepted texts are exactly "1" to "14": no blanks, signs or leading zeros. 0 for any
// other line.
int commandNumber(const String& line) {
    const std::uint32_t n = line.length();
    if (n == 0 || n > 2 || line[0] < '1' || line[0] > '9') {
        return 0;
    }
    if (n == 1) {
        return line[0] - '0';
    }
    if (line[0] != '1' || line[1] < '0' || line[1] > '4') {
        return 0;
    }
    return 10 + (line[1] - '0');
}

// Ends the console line and hands the end of input to the game driver.
[[noreturn]] void inputEnded(Console& console) {
    endLine(console.out);
    throw InputEnded{};
}

} // namespace

void endLine(std::ostream& out) {
    out << '\n' << std::flush;
}

bool endRequested(const Console& console) {
    return (console.endRequest != nullptr && *console.endRequest != 0) || !console.out.good();
}

void requireInput(Console& console) {
    console.out.flush(); // the prompt goes out first, and a screen gone away shows
    if (endRequested(console) || console.in.peek() == std::char_traits<char>::eof()) {
        inputEnded(console);
    }
}

void readWord(Console& console, String& word) {
    console.out.flush();
    if (endRequested(console)) {
        inputEnded(console);
    }
    console.in >> word;
    if (word.length() == 0) {
        inputEnded(console);
    }
}

int readCommand(Console& console) {
    String line;
    for (;;) {
        requireInput(console);
        readLine(console.in, line);
        const int number = commandNumber(line);
        if (number > 0) {
            return number - 1;
        }
        console.out << INVALID_NUMBER;
    }
}

int readChoice(Console& console, int limit) {
    int choice = readCommand(console);
    while (choice > limit - 1) {
        console.out << INVALID_NUMBER;
        choice = readCommand(console);
    }
    return choice;
}

int giveChoice(Console& console, int choice) {
    if (console.answered != nullptr) {
        console.answered->append(std::to_string(choice + 1)) += '\n';
    }
    return choice;
}

void pause(Console& console) {
    if (console.answered != nullptr) {
        *console.answered += '\n';
    }
    console.in.get();
}

} // namespace realmsfall
