#include "cards/deck.h"
#include "core/random.h"
#include "match/orders.h"
#include "specials/menu.h"
#include "specials/specials.h"

#include <ostream>

namespace realmsfall {

namespace {

// Each kind of the summoned class is equally likely: rand() % CLASS_KINDS from its first kind.
constexpr int CLASS_KINDS = 6;

CardId summonedCard(TroopOrder order) {
    switch (order) {
    case GATHER_ORDER:
        return rand() % CLASS_KINDS; // from Footmen
    case ATTACK_ORDER:
        return rand() % CLASS_KINDS + CARD_UNIT_OF_100;
    default:
        return rand() % CLASS_KINDS + CARD_PEASANTS;
    }
}

TroopOrder chooseOrder(Console& console, const Kingdom& self, MenuAnswer answer, char side) {
    if (side == SIDE_PLAYER) {
        return static_cast<TroopOrder>(
            chooseFromMenu(console, "You call your Summoners to your chambers.\n",
                           {"Summon offensive units", "Summon an amount of units to attack",
                            "Summon defensive units"},
                           "Select a task: ", answer));
    }
    console.out << "The faint shimmer of magic can be seen in the distance.\n";
    return answer ? static_cast<TroopOrder>(*answer) : computerTroopOrder(self);
}

} // namespace

// The summoned card is carried out by the troop orders exactly as if it had been played; only
// an attack without anything gathered fizzles, which the computer's rule never asks for.
CardId summoners(Console& console, Kingdom& self, Kingdom& opp, const CardNames& cardNames,
                 MenuAnswer answer, char side) {
    const TroopOrder order = chooseOrder(console, self, answer, side);
    if (order == ATTACK_ORDER && self.gathering == CARD_NOTHING) {
        console.out << "Your Summoners' spell fizzles as the spell you requested doesn't work "
                    << "without\ngathering units first.\n";
        return drawCard();
    }
    return playTroopCard(console, self, opp, summonedCard(order), cardNames, side);
}

} // namespace realmsfall
