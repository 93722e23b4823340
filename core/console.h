#pragma once

#include <csignal>
#include <iosfwd>
#include <string>

namespace realmsfall {

class String;

// The keyboard and the screen of one run, and where complaints about the run go. main hands
// over std::cin, std::cout and std::cerr; tests hand over string streams.
struct Console {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
    // Set from outside the dialogue (by a signal) when the run is to end as at the end of input.
    const volatile std::sig_atomic_t* endRequest = nullptr;
    // Where the answers a computer level gives in the player's place are written down as the
    // lines a player would have typed, so that its game can be replayed at the keyboard.
    std::string* answered = nullptr;
};

// What a reader raises when the keyboard input has ended and the dialogue cannot go on. Only
// the game driver catches it: it keeps what the run has finished and ends the run.
struct InputEnded {};

// Ends a console line: a newline, then a flush.
void endLine(std::ostream& out);

// Whether the run must end as at the end of input although keys may still be waiting: the end
// was asked for from outside, or the screen can no longer be written.
bool endRequested(const Console& console);

// Called before every read that waits for the player. When no more input can ever come, or the
// run is to end, it ends the console line and raises InputEnded instead of asking again.
void requireInput(Console& console);

// The word read of a reply that must hold a word. When the input ends before the first character
// of a word, the console line is ended and InputEnded is raised; a last word without a newline
// is a reply like any other.
void requireWord(Console& console, String& word);

// Drops the rest of the line typed, up to and including its newline; nothing at the end of input.
void dropLine(Console& console);

// The next character typed, left waiting to be read; EOF at the end of input.
int peekKey(Console& console);

// The commands are typed as the whole lines "1" to "14", exactly: no blanks, signs or leading
// zeros.
constexpr int COMMAND_COUNT = 14;

// A number typed as a whole line, "1" to "14"; yields 0 to COMMAND_COUNT - 1.
int readCommand(Console& console);

// A choice from a numbered list of `limit` entries (at most COMMAND_COUNT); yields 0 to
// limit - 1.
int readChoice(Console& console, int limit);

// Takes `choice` (0 to COMMAND_COUNT - 1) as if its number had been typed, without reading;
// returns it.
int giveChoice(Console& console, int choice);

// The pause after a turn: one key. A screen gone away ends the run as the end of input does.
void pause(Console& console);

} // namespace realmsfall
