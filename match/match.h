#pragma once

#include "cards/cards.h"
#include "core/console.h"
#include "match/kingdom.h"

#include <cstdint>

namespace realmsfall {

// Runs one match to its end and returns the computer's final population: 0 or less means the
// player won.
std::int32_t playMatch(Console& console, const Hand& playerHand, const Hand& computerHand,
                       const CardNames& cardNames, String playerRegion, String computerRegion);

// The start of each of the player's turns, before the status display: after the computer's Time
// Twist the received card becomes the last card of the player's hand as it now stands, and the
// player's history records the kingdom.
void startPlayerTurn(Match& match);

} // namespace realmsfall
