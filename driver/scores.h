#pragma once

#include "core/console.h"

#include <string>

namespace realmsfall {

// The standings as a table, best first, and the seed counter, read under a shared lock without
// playing. Returns the exit status: 0, or EXIT_DAMAGED_STANDINGS when the file cannot be read.
int printScores(Console& console, const std::string& standingsPath);

} // namespace realmsfall
