#pragma once

#include "cards/deck.h"
#include "match/kingdom.h"

namespace realmsfall {

// Whether the move plays Time Twist, after which the player is shown the last card of the hand.
bool playsTimeTwist(const Hand& hand, Move move);

// Carries out a side's move and everything that follows from it: the card routine or the
// discard, the replacement card in the played position (of whatever hand the side holds
// afterwards), the card the player receives, and the refresh after the computer's Time Twist.
// A special card's menu takes the `answer` when one is given.
void applyMove(Match& match, char side, Move move, MenuAnswer answer = std::nullopt);

} // namespace realmsfall
