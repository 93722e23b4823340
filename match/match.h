#pragma once

#include "cards/cards.h"
#include "core/console.h"
#include "match/kingdom.h"
#include "match/levels.h"

#include <cstdint>

namespace realmsfall {

// Who moves for each side: a level of the computer, or for the player's side the keyboard (no
// level). Each level draws from a generator of its own, seeded from the game's `seed`.
struct Seats {
    const Level* player = nullptr;
    const Level* computer = &LEVELS[NORMAL];
    std::int32_t seed = 0;
};

// Runs one match to its end and returns the computer's final population: 0 or less means the
// player won.
std::int32_t playMatch(Console& console, const Hand& playerHand, const Hand& computerHand,
                       const CardNames& cardNames, String playerRegion, String computerRegion,
                       const Seats& seats = {});

// The start of each of the player's turns, before the status display: after the computer's Time
// Twist the received card becomes the last card of the player's hand as it now stands, and the
// player's history records the kingdom.
void startPlayerTurn(Match& match);

} // namespace realmsfall
