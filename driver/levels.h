#pragma once

// The computer's levels at the command line: each level but the normal one keeps its records in
// a file of its own, named after the normal one.
#include "match/levels.h"

#include <iosfwd>
#include <string>

namespace realmsfall {

// The records of `level`: the normal level's at `path`; another level's in the file named by
// inserting "-" and the level's name before the extension of the path's file name
// (standings.txt: standings-hard.txt; s: s-hard).
std::string levelStandingsPath(const std::string& path, const Level& level);

// The line that tells the player, before the banner, where a level other than the normal one
// keeps the record (`path`, already the level's), or reads it when a deal is only practised.
void announceLevel(std::ostream& out, const Level& level, const std::string& path, bool practice);

// For the normal level's standings, a line for each other level whose records exist beside them.
void pointToOtherLevels(std::ostream& out, const std::string& path);

} // namespace realmsfall
