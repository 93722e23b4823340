#pragma once

#include "cards/cards.h"
#include "core/console.h"
#include "match/kingdom.h"

#include <cstdint>

namespace realmsfall {

// Everything that lives for one match.
struct Match {
    Console& console;
    const CardNames& cardNames;
    const String playerRegion;
    const String computerRegion;
    Kingdom player;
    Kingdom computer;
    History playerHistory;
    History computerHistory;
    std::int32_t turn;
    CardId receivedCard;  // shown to the player after "You received: "
    bool refreshReceived; // set by the computer's Time Twist
};

// Runs one match to its end and returns the computer's final population: 0 or less means the
// player won.
std::int32_t playMatch(Console& console, const Hand& playerHand, const Hand& computerHand,
                       const CardNames& cardNames, String playerRegion, String computerRegion);

// The start of each of the player's turns, before the status display: after the computer's Time
// Twist the received card becomes the last card of the player's hand as it now stands, and the
// player's history records the kingdom.
void startPlayerTurn(Match& match);

// Plays the card at `position` of the acting side's hand through its card routine and puts the
// replacement card in that position (of whatever hand the side holds afterwards). Returns the
// replacement.
CardId playFromHand(Match& match, char side, int position);

} // namespace realmsfall
