#pragma once

#include "core/console.h"

#include <string>

namespace realmsfall {

// The whole run: banner, the player's name and record, one game after another until the player
// declines another, then the standings written back. Returns the exit status.
int runGame(Console& console, const std::string& standingsPath = "standings.txt");

// The title in block letters and the version line.
void printBanner(std::ostream& out);

} // namespace realmsfall
