#pragma once

#include "cards/cards.h"
#include "core/console.h"
#include "match/kingdom.h"

#include <cstdint>

namespace realmsfall {

// The troop orders: carries out a troop card of any class for the acting side. An offensive troop
// gathers, an amount attacks the other side with the gathered kind (only while one is gathered),
// a defensive troop defends. Narrates for the acting side and returns the card that replaces
// the one just played.
CardId playTroopCard(Console& console, Kingdom& self, Kingdom& opp, CardId card,
                     const CardNames& cardNames, char side);

// The three troop orders, in the order in which the special cards' menus offer them.
enum TroopOrder { GATHER_ORDER, ATTACK_ORDER, DEFEND_ORDER };

// Which order the computer gives a troop conjured by a special card: a defense first, then a
// gathering, and an attack once both are in place.
TroopOrder computerTroopOrder(const Kingdom& self);

// People killed by `amount` of the `attacker` kind against the `defense` slot; draws none, one or
// two random numbers.
std::int32_t computeCasualties(CardId attacker, CardId amount, CardId defense);

} // namespace realmsfall
