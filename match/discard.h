#pragma once

#include "cards/deck.h"
#include "core/console.h"

namespace realmsfall {

// Throws one card away and puts a fresh draw in its place. The player names the card; the
// computer drops the weakest by its preference list. Only the player's discard updates
// `receivedCard`.
void discardCard(Console& console, Hand& hand, CardId& receivedCard, const CardNames& cardNames,
                 char side);

// The position the computer discards from.
int computerDiscardPosition(const Hand& hand);

} // namespace realmsfall
