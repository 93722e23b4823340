#pragma once

#include "cards/deck.h"
#include "match/kingdom.h"

namespace realmsfall {

// The computer's move by its priority list, from what it may see: its own kingdom and the
// player's slots and people (never the player's hand). When no step applies it discards.
Move chooseComputerMove(const Kingdom& own, const Kingdom& player);

// The computer's turn: plays its chosen card, or discards. Returns whether it played Time Twist.
bool chooseComputerPlay(Match& match);

} // namespace realmsfall
