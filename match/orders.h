#pragma once

#include "cards/cards.h"
#include "core/console.h"

#include <cstdint>

namespace realmsfall {

// The three troop orders. Each narrates for the acting side, changes the slots it is given and
// returns the card that replaces the one just played.
CardId gatherTroops(Console& console, CardId& gathering, CardId troop, const CardNames& cardNames,
                    char side);

CardId setDefense(Console& console, CardId& defense, CardId troop, const CardNames& cardNames,
                  char side);

// Only called while `gathering` holds a troop.
CardId attackEnemy(Console& console, CardId& gathering, CardId& enemyDefense, CardId amount,
                   std::int32_t& enemyPopulation, const CardNames& cardNames, char side);

// People killed by `amount` of the `attacker` kind against the `defense` slot; draws none, one or
// two random numbers.
std::int32_t computeCasualties(CardId attacker, CardId amount, CardId defense);

} // namespace realmsfall
