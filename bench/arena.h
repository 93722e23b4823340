#pragma once

// One deal of the arena: a level (or none, the keyboard) in the player's seat against a level in
// the computer's, set up as the game sets up a deal, the player ruling the first region and
// calling heads.
#include "cards/cards.h"
#include "core/console.h"
#include "driver/deal.h"
#include "driver/regions.h"
#include "match/match.h"

#include <cstdint>

namespace realmsfall::arena {

constexpr int ARENA_REGION = 0; // "1"
constexpr const char* ARENA_CALL = "h\n";

// The computer's final population: 0 or less, the player's seat won.
inline std::int32_t playDeal(Console& console, std::int32_t seed, const Level* player,
                             const Level& computer, const RegionTable& regions,
                             const CardNames& cardNames) {
    const Deal deal = setUpDeal(seed, ARENA_REGION);
    return playMatch(console, deal.playerHand, deal.computerHand, cardNames, regions[ARENA_REGION],
                     regions[deal.computerRegion], Seats{player, &computer, seed});
}

} // namespace realmsfall::arena
