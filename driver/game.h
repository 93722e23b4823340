#pragma once

#include "core/console.h"

#include <string>

namespace realmsfall {

// The whole run: banner, the player's name and record, one game after another until the player
// declines another, then the standings written back. Returns the exit status: 0, or
// EXIT_INPUT_ENDED when the keyboard input ran out first, or EXIT_DAMAGED_STANDINGS.
int runGame(Console& console, const std::string& standingsPath = "standings.txt");

// Exit status of a run that found "standings.txt" damaged or unreadable, and left it as it was.
constexpr int EXIT_DAMAGED_STANDINGS = 2;

// The title in block letters and the version line.
void printBanner(std::ostream& out);

} // namespace realmsfall
