#pragma once

#include "cards/deck.h"
#include "core/console.h"
#include "match/kingdom.h"

#include <optional>

namespace realmsfall {

// Lists the hand and reads the player's move: the card to play, or the command to discard and
// then the card to throw away. An amount card is refused while nothing is being gathered. A move
// `given` by a computer level in the player's place is taken as if typed.
Move enterCommand(Console& console, const Hand& hand, CardId gathering, const CardNames& cardNames,
                  std::optional<Move> given = std::nullopt);

} // namespace realmsfall
