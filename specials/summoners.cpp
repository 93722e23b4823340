#include "cards/deck.h"
#include "core/random.h"
#include "match/orders.h"
#include "specials/specials.h"

#include <ostream>

namespace realmsfall {

namespace {

enum Summon { OFFENSIVE, AMOUNT, DEFENSIVE };

// Draws a troop card of the summoned class and carries it out as if played from the hand.
CardId summon(Console& console, Kingdom& self, Kingdom& opp, const CardNames& names, char side,
              Summon what) {
    switch (what) {
    case OFFENSIVE:
        return gatherTroops(console, self.gathering, rand() % 6, names, side);
    case AMOUNT: {
        const CardId amount = rand() % 6 + CARD_UNIT_OF_100;
        return attackEnemy(console, self.gathering, opp.defense, amount, opp.population, names,
                           side);
    }
    default:
        return setDefense(console, self.defense, rand() % 6 + CARD_PEASANTS, names, side);
    }
}

// The computer defends first, then gathers, and attacks once both are in place.
Summon computerSummon(const Kingdom& self) {
    if (self.defense == CARD_NOTHING) {
        return DEFENSIVE;
    }
    return self.gathering == CARD_NOTHING ? OFFENSIVE : AMOUNT;
}

} // namespace

CardId summoners(Console& console, Kingdom& self, Kingdom& opp, const CardNames& cardNames,
                 char side) {
    if (side != SIDE_PLAYER) {
        console.out << "The faint shimmer of magic can be seen in the distance.\n";
        return summon(console, self, opp, cardNames, side, computerSummon(self));
    }
    console.out << "You call your Summoners to your chambers.\n"
                << "1. Summon offensive units\n"
                << "2. Summon an amount of units to attack\n"
                << "3. Summon defensive units\n"
                << "Select a task: ";
    const auto what = static_cast<Summon>(readChoice(console, 3));
    if (what == AMOUNT && self.gathering == CARD_NOTHING) {
        console.out << "Your Summoners' spell fizzles as the spell you requested doesn't work "
                    << "without\ngathering units first.\n";
        return drawCard();
    }
    return summon(console, self, opp, cardNames, side, what);
}

} // namespace realmsfall
