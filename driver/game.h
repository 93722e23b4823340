#pragma once

#include "core/console.h"
#include "match/levels.h"

#include <cstdint>
#include <optional>
#include <string>

namespace realmsfall {

struct StandingsDamage;

// The whole run: banner, the player's name and record, one game after another until the player
// declines another, then the games of the run added to the standings file. Returns the exit
// status: 0; EXIT_INPUT_ENDED when the keyboard input ran out first (or the screen went away, or
// the end was asked for); EXIT_DAMAGED_STANDINGS; EXIT_NOT_SAVED, which outranks the end of
// input.
// With a `deal`, the games are seeded deal, deal + 1, ... instead of from the file's counter, and
// the file is read only to greet the player: it is never created or written. The computer plays
// at `level`.
int runGame(Console& console, const std::string& standingsPath,
            std::optional<std::int32_t> deal = std::nullopt, const Level& level = LEVELS[NORMAL]);

// Exit status of a run that found "standings.txt" damaged or unreadable, and left it as it was.
constexpr int EXIT_DAMAGED_STANDINGS = 2;

// Exit status of a run whose completed games could not be saved.
constexpr int EXIT_NOT_SAVED = 3;

// The title in block letters and the version line.
void printBanner(std::ostream& out);

// One line on the error stream, after the program's name.
void complain(Console& console, const std::string& line);

// Tells where and how the standings file at `path` is damaged; yields EXIT_DAMAGED_STANDINGS.
int complainOfDamage(Console& console, const std::string& path, const StandingsDamage& damage);

} // namespace realmsfall
