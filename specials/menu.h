#pragma once

#include "core/console.h"

#include <array>

namespace realmsfall {

// A special card's menu offers three entries, which the player numbers 1 to 3.
constexpr int MENU_CHOICES = 3;
using MenuEntries = std::array<const char*, MENU_CHOICES>;

// Prints the opening line, the numbered entries and the prompt, and reads the player's pick:
// 0 to MENU_CHOICES - 1.
int chooseFromMenu(Console& console, const char* opening, const MenuEntries& entries,
                   const char* prompt);

} // namespace realmsfall
