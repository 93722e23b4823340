#include "match/discard.h"

#include "match/kingdom.h"

#include <ostream>

namespace realmsfall {

namespace {

// Weakest first: the two weakest defenses, then amount, attacker and defense of rising rank,
// then the two strongest amounts and attackers, the special cards last. It holds every kind a
// hand can hold, so the computer always finds a card to drop.
constexpr CardId DISCARD_PREFERENCE[] = {
    CARD_PEASANTS,     CARD_PIKEMEN,     CARD_UNIT_OF_100,   CARD_FOOTMEN,
    CARD_RANGERS,      CARD_UNIT_OF_300, CARD_ARCHERS,       CARD_PALADINS,
    CARD_UNIT_OF_500,  CARD_KNIGHTS,     CARD_BALLISTAS,     CARD_UNIT_OF_1000,
    CARD_MAGES,        CARD_GRIFFONS,    CARD_UNIT_OF_2500,  CARD_SEIGE_TOWERS,
    CARD_UNIT_OF_5000, CARD_DRAGONS,     CARD_THIEVES,       CARD_DIVINE_INTERVENTION,
    CARD_CLERICS,      CARD_TIME_TWIST,  CARD_BONES_OF_FATE, CARD_SUMMONERS,
};

} // namespace

int computerDiscardPosition(const Hand& hand) {
    for (const CardId card : DISCARD_PREFERENCE) {
        const int position = findCard(hand, card);
        if (position != NOT_IN_HAND) {
            return position;
        }
    }
    return NOT_IN_HAND;
}

CardId discardCard(Console& console, CardId discarded, const CardNames& cardNames, char side) {
    if (side == SIDE_PLAYER) {
        console.out << "You have discarded your " << nameOf(cardNames, discarded) << "\n";
    } else {
        console.out << "You see unwanted troops leaving the enemies camp.\n";
    }
    return drawCard();
}

} // namespace realmsfall
