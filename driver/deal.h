#pragma once

#include "cards/deck.h"

#include <cstdint>

namespace realmsfall {

// What a game's seed decides before the coin is tossed: the computer's region and both hands.
struct Deal {
    int computerRegion;
    Hand playerHand;
    Hand computerHand;
};

// Seeds the game's generator with `seed`, draws the computer's region against the player's and
// deals the player's hand and then the computer's. The game and the arena both set a deal up so.
Deal setUpDeal(std::int32_t seed, int playerRegion);

} // namespace realmsfall
