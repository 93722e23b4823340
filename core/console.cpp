#include "core/console.h"

#include "core/string.h"

#include <istream>
#include <ostream>
#include <string>

namespace realmsfall {

namespace {

constexpr const char* INVALID_NUMBER = "Invalid number, please re-enter: ";

// The number of an accepted command text, 1 to COMMAND_COUNT; 0 for any other line.
int commandNumber(const String& line) {
    constexpr std::uint32_t MOST_DIGITS = 2;
    static_assert(COMMAND_COUNT < 100, "a command takes at most MOST_DIGITS digits");
    const std::uint32_t n = line.length();
    if (n == 0 || n > MOST_DIGITS || line[0] == '0') {
        return 0;
    }
    int number = 0;
    for (std::uint32_t i = 0; i < n; ++i) {
        if (line[i] < '0' || line[i] > '9') {
            return 0;
        }
        number = number * 10 + (line[i] - '0');
    }
    return number <= COMMAND_COUNT ? number : 0;
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

void requireWord(Console& console, String& word) {
    console.out.flush();
    if (endRequested(console)) {
        inputEnded(console);
    }
    console.in >> word;
    if (word.length() == 0) {
        inputEnded(console);
    }
}

void dropLine(Console& console) {
    String scratch;
    readLine(console.in, scratch);
}

int peekKey(Console& console) {
    return console.in.peek();
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
    console.out.flush(); // a screen gone away ends the run here, before a wait for a key
    if (!console.out.good()) {
        inputEnded(console);
    }
    console.in.get();
}

} // namespace realmsfall
