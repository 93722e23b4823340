#pragma once

#include "cards/deck.h"
#include "match/kingdom.h"
#include "match/match.h"

namespace realmsfall {

// The first position of the highest kind of a class ("off", "def", anything else "num") in the
// hand, or NOT_IN_HAND.
int findStrongest(const Hand& hand, const char* className);

// The position of the card the computer plays by its priority list, or NOT_IN_HAND when no
// step applies and it must discard.
int chooseComputerCard(const Kingdom& own, const Kingdom& player);

// The computer's move: plays its chosen card, or discards. Returns whether it played Time Twist.
bool chooseComputerPlay(Match& match);

} // namespace realmsfall
