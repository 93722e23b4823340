#include "match/orders.h"

#include "cards/deck.h"
#include "core/random.h"
#include "match/kingdom.h"

#include <ostream>

namespace realmsfall {

namespace {

// What one attack looked like, for the narration.
struct Attack {
    const String& amount;
    const String& attacker;
    const String& defender;
    bool undefended;
    std::int32_t casualties;
};

void narrateAttackByPlayer(std::ostream& out, const Attack& a) {
    out << "You have sent a " << a.amount << a.attacker << " upon your enemy.\n";
    if (a.undefended) {
        out << "Your forces break through easily since there is nobody to stand in your way.\n"
            << "Finding no defense, your " << a.attacker << " run rampant killing a total of "
            << a.casualties << "\nenemies.\n";
        return;
    }
    out << "Opposing forces defend their people with " << a.defender << ".\n";
    if (a.casualties > 0) {
        out << "Your " << a.attacker << " defeat the " << a.defender << " and bring about "
            << "the deaths of " << a.casualties << "\npeople.\n";
    } else {
        out << "The enemy " << a.defender << " block your " << a.attacker
            << " and send them home.\n";
    }
}

void narrateAttackOnPlayer(std::ostream& out, const Attack& a) {
    out << "You see a " << a.amount << a.attacker << " coming towards your gates.\n"
        << "You have " << a.defender << " to stand in their way.\n";
    if (a.undefended) {
        out << "The enemy attacks, and since you have no defense, " << a.casualties
            << " of your people "
            << "are \neasily killed.\n";
    } else if (a.casualties > 0) {
        out << "The attacking " << a.attacker << " defeat your " << a.defender << " killing "
            << a.casualties << " people.\n";
    } else {
        out << "Your " << a.defender << " prevent the " << a.attacker
            << " from causing any harm.\n";
    }
}

} // namespace

CardId gatherTroops(Console& console, CardId& gathering, CardId troop, const CardNames& cardNames,
                    char side) {
    gathering = troop;
    if (side == SIDE_PLAYER) {
        console.out << "You begin gathering a unit of " << cardNames[troop] << ".\n";
    } else {
        console.out << "Your scouts report a group of " << cardNames[troop]
                    << " gathering to attack.\n";
    }
    return drawCard();
}

CardId setDefense(Console& console, CardId& defense, CardId troop, const CardNames& cardNames,
                  char side) {
    defense = troop;
    if (side == SIDE_PLAYER) {
        console.out << "You set up some defense with a unit of " << cardNames[troop] << ".\n";
    } else {
        console.out << "Your henchmen report defenses being established at the enemy holding.\n";
    }
    return drawCard();
}

CardId attackEnemy(Console& console, CardId& gathering, CardId& enemyDefense, CardId amount,
                   std::int32_t& enemyPopulation, const CardNames& cardNames, char side) {
    const Attack attack{cardNames[amount], cardNames[gathering], cardNames[enemyDefense],
                        enemyDefense == CARD_NOTHING,
                        computeCasualties(gathering, amount, enemyDefense)};
    if (side == SIDE_PLAYER) {
        narrateAttackByPlayer(console.out, attack);
    } else {
        narrateAttackOnPlayer(console.out, attack);
    }
    enemyPopulation -= attack.casualties;
    // The troops are spent, and the defense that met them is gone even when it held.
    gathering = CARD_NOTHING;
    enemyDefense = CARD_NOTHING;
    return drawCard();
}

CardId playTroopCard(Console& console, Kingdom& self, Kingdom& opp, CardId card,
                     const CardNames& cardNames, char side) {
    if (isOffensiveTroop(card)) {
        return gatherTroops(console, self.gathering, card, cardNames, side);
    }
    if (isAmount(card)) {
        return attackEnemy(console, self.gathering, opp.defense, card, opp.population, cardNames,
                           side);
    }
    return setDefense(console, self.defense, card, cardNames, side);
}

TroopOrder computerTroopOrder(const Kingdom& self) {
    if (self.defense == CARD_NOTHING) {
        return DEFEND_ORDER;
    }
    return self.gathering == CARD_NOTHING ? GATHER_ORDER : ATTACK_ORDER;
}

std::int32_t computeCasualties(CardId attacker, CardId amount, CardId defense) {
    const std::int32_t strength = attackStrength(attacker);
    const std::int32_t factor = amountFactor(amount);
    if (defense == CARD_SHIELDS_OF_FATE) {
        return 0;
    }
    if (defense == CARD_NOTHING) {
        return strength * 3500 * factor + rand() % (strength * 3000);
    }
    const int hitTest = rand() % 10;
    if (hitTest < (strength + factor) / 2 - defenseStrength(defense) + 5) {
        return strength * 2500 * factor + rand() % (strength * 2000);
    }
    return 0;
}

} // namespace realmsfall
