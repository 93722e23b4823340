#pragma once

#include "core/console.h"
#include "match/kingdom.h"
#include "match/orders.h"

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

// The troop order a special card conjures a troop for: the player's pick from the card's menu,
// the `answer` given in a side's place, or the computer's own rule.
TroopOrder chooseTroopOrder(Console& console, const Kingdom& self, const char* opening,
                            const MenuEntries& entries, const char* prompt, MenuAnswer answer,
                            char side);

// What a conjured troop came to: the card that replaces the one played, and whether the spell
// fizzled.
struct Conjured {
    CardId replacement;
    bool fizzled;
};

// Conjures the troop card `troopFor` gives for `order` and carries it out by the troop orders
// exactly as if it had been played; they narrate it. An attack while nothing is gathered cannot
// be carried out: it fizzles, nothing is conjured, and only the replacement is drawn.
Conjured conjureTroop(Console& console, Kingdom& self, Kingdom& opp, TroopOrder order,
                      CardId (*troopFor)(TroopOrder), const CardNames& cardNames, char side);

} // namespace realmsfall
