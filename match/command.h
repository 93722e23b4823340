#pragma once

#include "cards/deck.h"
#include "core/console.h"

namespace realmsfall {

// The command that throws a card away instead of playing one (shown as 14).
constexpr int DISCARD_COMMAND = 13;

// Lists the sorted hand in two columns with the discard line under them.
void listHand(std::ostream& out, const Hand& hand, const CardNames& cardNames);

// Lists the hand and reads the player's command: a hand position 0 to 12 or DISCARD_COMMAND.
// An amount card is refused while nothing is being gathered.
int enterCommand(Console& console, const Hand& hand, CardId gathering, const CardNames& cardNames);

} // namespace realmsfall
