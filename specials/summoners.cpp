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

} // namespace

CardId summoners(Console& console, Kingdom& self, Kingdom& opp, const CardNames& cardNames,
                 MenuAnswer answer, char side) {
    const TroopOrder order = chooseTroopOrder(
        console, self, "You call your Summoners to your chambers.\n",
        {"Summon offensive units", "Summon an amount of units to attack", "Summon defensive units"},
        "Select a task: ", answer, side);
    if (side != SIDE_PLAYER) {
        console.out << "The faint shimmer of magic can be seen in the distance.\n";
    }
    const Conjured summoned =
        conjureTroop(console, self, opp, order, summonedCard, cardNames, side);
    if (summoned.fizzled) {
        console.out << "Your Summoners' spell fizzles as the spell you requested doesn't work "
                    << "without\ngathering units first.\n";
    }
    return summoned.replacement;
}

} // namespace realmsfall
