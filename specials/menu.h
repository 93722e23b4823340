#pragma once

#include "core/console.h"
#include "match/kingdom.h"

#include <array>

namespace realmsfall {

// A special card's menu offers three entries, which the player numbers 1 to 3.
constexpr int MENU_CHOICES = 3;
using MenuEntries = std::array<const char*, MENU_CHOICES>;

// Prints the opening line, the numbered entries and the prompt, and reads the player's pick:
// 0 to MENU_CHOICES - 1, or takes the `answer` given in the player's place.
int chooseFromMenu(Console& console, const char* opening, const MenuEntries& entries,
                   const char* prompt, MenuAnswer answer);

// The computer's own rule for Thieves' task: the player's gathering first, a census when nothing
// stands in the way, and otherwise the defense.
int computerThievesTask(const Kingdom& opp);

// The computer's own rule for Clerics' task, from a roll of 0 to CLERICS_ROLL - 1: convert below
// 4, resurrect below 8, and otherwise divine.
constexpr int CLERICS_ROLL = 10;
int computerClericsTask(int roll);

} // namespace realmsfall
