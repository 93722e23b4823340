#pragma once

#include "cards/cards.h"
#include "core/console.h"
#include "core/string.h"
#include "match/kingdom.h"

#include <cstdint>

namespace realmsfall {

// The six special cards. Each shows the player its menu where it offers one (the computer
// decides by the card's own rule), then carries out its outcome, then narrates it to the player,
// and returns the card that replaces the one just played (always the last random draw of the
// play). A troop order that a card gives narrates for itself, where it is given. A menu's `answer`,
// when a computer level gives one, takes the place of the player's pick or the computer's rule.

// Disperses the enemy's gathering, breaks its defense or counts its people.
CardId thieves(Console& console, Kingdom& opp, const CardNames& cardNames, MenuAnswer answer,
               char side);

// The gods slay people, bring people, or raise the gathered kind one step (up to Avatars).
CardId divineIntervention(Console& console, Kingdom& self, const CardNames& cardNames, char side);

// Converts enemy people, divines the enemy's hand (sorting it), or resurrects the slain.
CardId clerics(Console& console, std::int32_t& selfPopulation, std::int32_t& oppPopulation,
               Hand& oppHand, const CardNames& cardNames, MenuAnswer answer, char side);

// Conjures a troop card and carries it out with the ordinary troop orders.
CardId summoners(Console& console, Kingdom& self, Kingdom& opp, const CardNames& cardNames,
                 MenuAnswer answer, char side);

// Rolls the six-coloured die.
CardId bonesOfFate(Console& console, Kingdom& self, Kingdom& opp, std::int32_t& turn,
                   const CardNames& cardNames, MenuAnswer answer, char side);

// Sends the acting side's Lord out of his time: death, another command, a long absence with new
// hands, or a journey back one to five days through both histories.
CardId timeTwist(Console& console, Kingdom& self, Kingdom& opp, std::int32_t& turn,
                 const History& selfHistory, const History& oppHistory, String computerRegion,
                 char side);

} // namespace realmsfall
