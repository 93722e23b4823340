#include "match/orders.h"

#include "cards/deck.h"
#include "core/random.h"
#include "match/kingdom.h"

#include <cassert>
#include <ostream>

namespace realmsfall {

namespace {

// An attack on no defense kills strength × factor × UNDEFENDED_KILLS people and up to
// strength × UNDEFENDED_SPREAD - 1 more; one that breaks a defense kills by the DEFENDED_ pair.
constexpr std::int32_t UNDEFENDED_KILLS = 3500;
constexpr std::int32_t UNDEFENDED_SPREAD = 3000;
constexpr std::int32_t DEFENDED_KILLS = 2500;
constexpr std::int32_t DEFENDED_SPREAD = 2000;

// A defense falls when rand() % HIT_ROLL is below (strength + factor) / 2 - defense + HIT_BASE.
constexpr int HIT_ROLL = 10;
constexpr int HIT_BASE = 5;

// What one attack looked like, for the narration.
struct Attack {
    const String& amount;
    const String& attacker;
    const String& defender;
    bool undefended;
    std::int32_t casualties;
};

void narrateAttackByPlayer(std::ostream& out, const Attack& attack) {
    out << "You have sent a " << attack.amount << attack.attacker << " upon your enemy.\n";
    if (attack.undefended) {
        out << "Your forces break through easily since there is nobody to stand in your way.\n"
            << "Finding no defense, your " << attack.attacker << " run rampant killing a total of "
            << attack.casualties << "\nenemies.\n";
        return;
    }
    out << "Opposing forces defend their people with " << attack.defender << ".\n";
    if (attack.casualties > 0) {
        out << "Your " << attack.attacker << " defeat the " << attack.defender
            << " and bring about "
            << "the deaths of " << attack.casualties << "\npeople.\n";
    } else {
        out << "The enemy " << attack.defender << " block your " << attack.attacker
            << " and send them home.\n";
    }
}

void narrateAttackOnPlayer(std::ostream& out, const Attack& attack) {
    out << "You see a " << attack.amount << attack.attacker << " coming towards your gates.\n"
        << "You have " << attack.defender << " to stand in their way.\n";
    if (attack.undefended) {
        out << "The enemy attacks, and since you have no defense, " << attack.casualties
            << " of your people "
            << "are \neasily killed.\n";
    } else if (attack.casualties > 0) {
        out << "The attacking " << attack.attacker << " defeat your " << attack.defender
            << " killing " << attack.casualties << " people.\n";
    } else {
        out << "Your " << attack.defender << " prevent the " << attack.attacker
            << " from causing any harm.\n";
    }
}

CardId gatherTroops(Console& console, CardId& gathering, CardId troop, const CardNames& cardNames,
                    char side) {
    gathering = troop;
    if (side == SIDE_PLAYER) {
        console.out << "You begin gathering a unit of " << nameOf(cardNames, troop) << ".\n";
    } else {
        console.out << "Your scouts report a group of " << nameOf(cardNames, troop)
                    << " gathering to attack.\n";
    }
    return drawCard();
}

CardId setDefense(Console& console, CardId& defense, CardId troop, const CardNames& cardNames,
                  char side) {
    defense = troop;
    if (side == SIDE_PLAYER) {
        console.out << "You set up some defense with a unit of " << nameOf(cardNames, troop)
                    << ".\n";
    } else {
        console.out << "Your henchmen report defenses being established at the enemy holding.\n";
    }
    return drawCard();
}

CardId attackEnemy(Console& console, CardId& gathering, CardId& enemyDefense, CardId amount,
                   std::int32_t& enemyPopulation, const CardNames& cardNames, char side) {
    // An attack sends an offensive troop, or the Avatars that Divine Intervention raises.
    assert(isOffensiveTroop(gathering) || gathering == CARD_AVATARS);
    assert(isAmount(amount));
    const Attack attack{nameOf(cardNames, amount), nameOf(cardNames, gathering),
                        nameOf(cardNames, enemyDefense), enemyDefense == CARD_NOTHING,
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

} // namespace

CardId playTroopCard(Console& console, Kingdom& self, Kingdom& opp, CardId card,
                     const CardNames& cardNames, char side) {
    if (isOffensiveTroop(card)) {
        return gatherTroops(console, self.gathering, card, cardNames, side);
    }
    if (isAmount(card)) {
        return attackEnemy(console, self.gathering, opp.defense, card, opp.population, cardNames,
                           side);
    }
    assert(isDefensiveTroop(card));
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
        return strength * UNDEFENDED_KILLS * factor + rand() % (strength * UNDEFENDED_SPREAD);
    }
    const int hitTest = rand() % HIT_ROLL;
    if (hitTest < (strength + factor) / 2 - defenseStrength(defense) + HIT_BASE) {
        return strength * DEFENDED_KILLS * factor + rand() % (strength * DEFENDED_SPREAD);
    }
    return 0;
}

} // namespace realmsfall
