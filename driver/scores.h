#pragma once

#include "core/console.h"

#include <string>

namespace realmsfall {

// The standings as a table under a row of column heads, best first, and the seed counter, read
// under a shared lock without playing; a file without players says so instead of the table, and
// a missing file is only said to be missing. Returns the exit status: 0, or
// EXIT_DAMAGED_STANDINGS when the file cannot be read.
int printScores(Console& console, const std::string& standingsPath);

} // namespace realmsfall
