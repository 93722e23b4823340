#pragma once

#include "cards/cards.h"

#include <array>

namespace realmsfall {

constexpr int HAND_SIZE = 13;
using Hand = std::array<CardId, HAND_SIZE>;

// What findCard answers when the hand holds no card of the kind.
constexpr int NOT_IN_HAND = 21;

// One weighted draw from the endless deck; consumes exactly one random number.
CardId drawCard();

// Thirteen draws for each hand, alternating, the first hand first.
void dealHands(Hand& first, Hand& second);

// Ascending card order, in place.
void sortHand(Hand& hand);

// The first position holding `card`, or NOT_IN_HAND.
int findCard(const Hand& hand, CardId card);

} // namespace realmsfall
