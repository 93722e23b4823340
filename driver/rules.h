#pragma once

// The players' rules and unit lists, RMF_RULES.txt: built into the game, shown by --rules, and
// named by --help where the file is installed. Asking whether the screen is a terminal, starting
// a pager and finding the game's own location are platform calls.
#include "core/console.h"

#include <string>
#include <string_view>

namespace realmsfall {

// RMF_RULES.txt as it was when the game was built (the source is made from the file then).
std::string_view rulesText();

// Where RMF_RULES.txt is for this game: under the prefix that the game itself is installed in,
// or, for a game that is not installed (run from its build folder), the file it was built from.
std::string rulesFilePath();

// Shows the rules. When the screen is the process's terminal they go through a pager: $PAGER
// (unset or empty counts as unset), else pager, else less, else more, each run by the shell;
// when the shell finds none of them, they are shown plainly. The game ignores SIGINT while the
// pager runs. Returns the exit status, 0: a reader who quits the pager early has seen enough.
int showRules(Console& console);

} // namespace realmsfall
