#pragma once

#include "core/console.h"
#include "match/levels.h"

#include <cstdint>
#include <optional>
#include <string>

namespace realmsfall {

// The whole run: banner, the player's name and record, one game after another until the player
// declines another, then the games of the run added to the standings file. Returns the exit
// status (driver/complaints.h): 0; EXIT_INPUT_ENDED when the keyboard input ran out first (or the
// screen went away, or the end was asked for); EXIT_DAMAGED_STANDINGS; EXIT_NOT_SAVED, which
// outranks the end of input. With a `deal`, the games are seeded deal, deal + 1, ... instead of
// from the file's counter, and the file is read only to greet the player: it is never created or
// written. The computer plays at `level`.
int runGame(Console& console, const std::string& standingsPath,
            std::optional<std::int32_t> deal = std::nullopt, const Level& level = LEVELS[NORMAL]);

// The title in block letters and the version line.
void printBanner(std::ostream& out);

} // namespace realmsfall
