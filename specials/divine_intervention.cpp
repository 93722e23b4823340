#include "cards/deck.h"
#include "core/random.h"
#include "specials/specials.h"

#include <cassert>
#include <ostream>

namespace realmsfall {

namespace {

// The gods slay or bring rand() % PEOPLE_SPREAD + PEOPLE_BASE people.
constexpr std::int32_t PEOPLE_BASE = 30000;
constexpr std::int32_t PEOPLE_SPREAD = 15000;

// The three outcomes are equally likely: rand() % OUTCOMES.
enum Outcome { WRATH, BLESSING, UPGRADE, OUTCOMES };

// Each gathered kind rises one step; Dragons become Avatars, and Avatars fall back to Dragons.
CardId upgraded(CardId gathering) {
    if (gathering == CARD_DRAGONS) {
        return CARD_AVATARS;
    }
    if (gathering == CARD_AVATARS) {
        return CARD_DRAGONS;
    }
    assert(isOffensiveTroop(gathering));
    return gathering + 1;
}

void narrateForPlayer(std::ostream& out, int outcome, std::int32_t amount, CardId before,
                      CardId after, const CardNames& names) {
    out << "You pray to the gods for aid.\n";
    if (outcome == WRATH) {
        out << "The gods are angered by your arrogance and slay " << amount << " of your people.\n";
    } else if (outcome == BLESSING) {
        out << "The heavens look favorably upon you and bring you " << amount
            << " new followers.\n";
    } else if (before == CARD_NOTHING) {
        out << "The gods prepare to upgrade the units you are gathering, but notice you\nhave "
               "none.\n";
    } else {
        out << "Your gathering of " << names[before] << " spontaneously become " << names[after]
            << " due to Divine\nIntervention.\n";
    }
}

void narrateForComputer(std::ostream& out, int outcome, CardId before, CardId after,
                        const CardNames& names) {
    out << "Your enemy seeks the help of higher powers.\n";
    if (outcome == WRATH) {
        out << "You hear the sounds of suffering in the distance as the gods punish the enemy.\n";
    } else if (outcome == BLESSING) {
        out << "The tides of war seem to flow against you as the gods send reinforcements\nto "
               "your foe.\n";
    } else if (before == CARD_NOTHING) {
        out << "Nothing seems to happen as a result.\n";
    } else {
        out << "Scouts report that due to Divine Intervention, enemy " << names[before]
            << " have become\n"
            << names[after] << ".\n";
    }
}

} // namespace

CardId divineIntervention(Console& console, Kingdom& self, const CardNames& cardNames, char side) {
    const std::int32_t amount = rand() % PEOPLE_SPREAD + PEOPLE_BASE;
    const int outcome = rand() % OUTCOMES;
    const CardId before = self.gathering;
    if (outcome == WRATH) {
        self.population -= amount;
    } else if (outcome == BLESSING) {
        self.population += amount;
    } else if (before != CARD_NOTHING) {
        self.gathering = upgraded(before);
    }
    if (side == SIDE_PLAYER) {
        narrateForPlayer(console.out, outcome, amount, before, self.gathering, cardNames);
    } else {
        narrateForComputer(console.out, outcome, before, self.gathering, cardNames);
    }
    return drawCard();
}

} // namespace realmsfall
