#pragma once

#include "cards/deck.h"
#include "core/console.h"

namespace realmsfall {

// Throws the `discarded` card away and returns the fresh draw that takes its place. The
// player is told which card went; of the computer's discard the player only sees troops leave.
CardId discardCard(Console& console, CardId discarded, const CardNames& cardNames, char side);

// The position the computer discards from: the first card of the weakest kind it holds.
int computerDiscardPosition(const Hand& hand);

} // namespace realmsfall
