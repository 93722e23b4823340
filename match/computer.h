#pragma once

#include "cards/deck.h"
#include "match/kingdom.h"

namespace realmsfall {

// The first position of the highest kind of a class ("off", "def", anything else "num") in the
// hand, or NOT_IN_HAND.
int findStrongest(const Hand& hand, const char* className);

// The computer's move by its priority list, from what it may see: its own kingdom and what the
// player gathers and defends with (never the player's hand). When no step applies it discards.
Move chooseComputerMove(const Kingdom& own, CardId playerGathering, CardId playerDefense);

} // namespace realmsfall
