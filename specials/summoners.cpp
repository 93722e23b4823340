#include "cards/deck.h"
#include "core/random.h"
#include "match/orders.h"
#include "specials/specials.h"

#include <ostream>

namespace realmsfall {

namespace {

// Each kind of the summoned class is equally likely.
CardId summonedCard(TroopOrder order) {
    switch (order) {
    case GATHER_ORDER:
        return rand() % 6 + CARD_FOOTMEN;
    case ATTACK_ORDER:
        return rand() % 6 + CARD_UNIT_OF_100;
    default:
        return rand() % 6 + CARD_PEASANTS;
    }
}

TroopOrder playerSummon(Console& console) {
    console.out << "You call your Summoners to your chambers.\n"
                << "1. Summon offensive units\n"
                << "2. Summon an amount of units to attack\n"
                << "3. Summon defensive units\n"
                << "Select a task: ";
    return static_cast<TroopOrder>(readChoice(console, 3));
}

} // namespace

// The summoned card is carried out by the troop orders exactly as if it had been played.
CardId summoners(Console& console, Kingdom& self, Kingdom& opp, const CardNames& cardNames,
                 char side) {
    TroopOrder order;
    if (side == SIDE_PLAYER) {
        order = playerSummon(console);
        if (order == ATTACK_ORDER && self.gathering == CARD_NOTHING) {
            console.out << "Your Summoners' spell fizzles as the spell you requested doesn't work "
                        << "without\ngathering units first.\n";
            return drawCard();
        }
    } else {
        console.out << "The faint shimmer of magic can be seen in the distance.\n";
        order = computerTroopOrder(self);
    }
    return playTroopCard(console, self, opp, summonedCard(order), cardNames, side);
}

} // namespace realmsfall
