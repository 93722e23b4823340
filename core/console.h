#pragma once

#include <iosfwd>

namespace realmsfall {

// The keyboard and the screen of one run. main hands over std::cin and std::cout; tests hand
// over string streams.
struct Console {
    std::istream& in;
    std::ostream& out;
};

// Ends a console line: a newline, then a flush.
void endLine(std::ostream& out);

// Called before every read that waits for the player. When no more input can ever come, the
// run cannot go on: the game ends the line, leaves the standings file as it was, and exits
// with status 1 instead of asking again for ever.
void requireInput(Console& console);

// Exit status of a run whose keyboard input ended before the player finished it.
constexpr int EXIT_INPUT_ENDED = 1;

// A number typed as a whole line, "1" to "14"; yields 0 to 13.
int readCommand(Console& console);

// A choice from a numbered list of `limit` entries; yields 0 to limit - 1.
int readChoice(Console& console, int limit);

} // namespace realmsfall
