#pragma once

// The command line: run without arguments the game plays as it always has; the options show
// help, the version, the rules or the standings, keep the records elsewhere, or play a numbered
// deal for practice.
#include "core/console.h"

namespace realmsfall {

// Reads the options and does what they ask; returns the exit status. The option reader's own
// state is reset first, so that a process can run several command lines.
int runCommandLine(int argc, char* argv[], Console& console);

} // namespace realmsfall
