// The hard computer: the computer's own priorities, mended where they lose most. It attacks
// rather than praying, and when an attack would kill few it does something better first; it
// defends before it strikes back at a gathering enemy, rolls the Bones of Fate and prays only
// when behind, sends its clerics early for the better task, looks back at the days a Time Twist
// would restore, and calls its Summoners when they help.
#include "match/computer.h"
#include "match/discard.h"
#include "match/levels.h"
#include "match/orders.h"

#include <algorithm>

namespace realmsfall {

namespace {

enum ThievesTask { DISPERSE, BREAK_DEFENSES, CENSUS };
enum ClericsTask { CONVERT, DIVINE, RESURRECT };

// A conversion takes 35000 to 54999 people: enough to finish an enemy this weak, now and then.
constexpr std::int32_t CONVERT_FINISHES = 55000;
// Below this many people a prayer that angers the gods may be the end.
constexpr std::int32_t PRAYER_RISK = 45000;
// An attack that kills fewer people than this on average waits for better troops.
constexpr std::int32_t ATTACK_WORTH = 45000;
// A gathering this much weaker than the strongest kind in hand is gathered anew.
constexpr std::int32_t REGATHER_GAIN = 5;
// How far behind the Bones of Fate are worth a roll.
constexpr std::int32_t ROLL_WHEN_BEHIND = 0;

Choice play(int position, MenuAnswer answer = std::nullopt) {
    return {{Move::PLAY, position}, answer};
}

// Chance in ten that an attack of `strength` with an amount of `factor` breaks `defense`.
int hitChance(std::int32_t strength, std::int32_t factor, CardId defense) {
    if (defense == CARD_NOTHING) {
        return 10;
    }
    if (defense == CARD_SHIELDS_OF_FATE) {
        return 0;
    }
    return std::clamp((strength + factor) / 2 - defenseStrength(defense) + 5, 0, 10);
}

// The people an attack of `strength` with an amount of `factor` kills on average: against no
// defense strength × (3500 × factor + 1500), and against a defense, when it breaks it,
// strength × (2500 × factor + 1000).
std::int32_t expectedKill(std::int32_t strength, std::int32_t factor, CardId defense) {
    constexpr std::int32_t OPEN_KILLS = 3500, OPEN_SPREAD = 1500;
    constexpr std::int32_t BREAK_KILLS = 2500, BREAK_SPREAD = 1000;
    if (defense == CARD_NOTHING) {
        return strength * (OPEN_KILLS * factor + OPEN_SPREAD);
    }
    return hitChance(strength, factor, defense) * strength * (BREAK_KILLS * factor + BREAK_SPREAD) /
           10;
}

// The difference in people that a journey back by each of the five days would make, summed.
std::int64_t journeyBackGain(const View& view) {
    const std::int64_t now = std::int64_t{view.own.population} - view.other.population;
    std::int64_t gain = 0;
    for (int day = 0; day < HISTORY_DAYS; ++day) {
        gain +=
            std::int64_t{view.ownHistory[day].population} - view.otherHistory[day].population - now;
    }
    return gain;
}

// Green arms the caster: an attack on an open enemy, a gathering when there is none, a defense
// when there is none, and otherwise the attack.
int greenWeapon(const View& view) {
    const bool gathering = view.own.gathering != CARD_NOTHING;
    if (gathering && view.other.defense == CARD_NOTHING) {
        return ATTACK_ORDER;
    }
    if (!gathering) {
        return GATHER_ORDER;
    }
    return view.own.defense == CARD_NOTHING ? DEFEND_ORDER : ATTACK_ORDER;
}

int summonersOrder(const View& view) {
    if (view.own.gathering != CARD_NOTHING &&
        (view.other.defense == CARD_NOTHING || view.own.defense != CARD_NOTHING)) {
        return ATTACK_ORDER;
    }
    if (view.own.defense == CARD_NOTHING && view.other.gathering != CARD_NOTHING) {
        return DEFEND_ORDER;
    }
    return view.own.gathering == CARD_NOTHING ? GATHER_ORDER : DEFEND_ORDER;
}

// A special card held twice is thrown away before anything else: one is enough to wait with.
int discardPosition(const View& view) {
    const Hand& hand = view.own.hand;
    for (const CardId kind : {CARD_TIME_TWIST, CARD_BONES_OF_FATE, CARD_DIVINE_INTERVENTION,
                              CARD_THIEVES, CARD_SUMMONERS, CARD_CLERICS}) {
        if (std::count(hand.begin(), hand.end(), kind) >= 2) {
            return findCard(hand, kind);
        }
    }
    return computerDiscardPosition(hand);
}

} // namespace

Choice chooseHard(const View& view, LevelRandom&) {
    const Kingdom& own = view.own;
    const Hand& hand = own.hand;
    const Sighting& other = view.other;
    const bool gathering = own.gathering != CARD_NOTHING;
    const bool defended = own.defense != CARD_NOTHING;
    const bool otherGathers = other.gathering != CARD_NOTHING;
    const std::int64_t lead = std::int64_t{own.population} - other.population;
    const int amount = findStrongest(hand, "num");
    const int offense = findStrongest(hand, "off");
    const int defense = findStrongest(hand, "def");
    const int thieves = findCard(hand, CARD_THIEVES);
    const int summoners = findCard(hand, CARD_SUMMONERS);
    const int clerics = findCard(hand, CARD_CLERICS);
    const int bones = findCard(hand, CARD_BONES_OF_FATE);
    const int twist = findCard(hand, CARD_TIME_TWIST);
    const int prayer = findCard(hand, CARD_DIVINE_INTERVENTION);

    if (gathering && offense != NOT_IN_HAND &&
        attackStrength(hand[offense]) >= attackStrength(own.gathering) + REGATHER_GAIN) {
        return play(offense);
    }
    const std::int32_t kill =
        gathering && amount != NOT_IN_HAND
            ? expectedKill(attackStrength(own.gathering), amountFactor(hand[amount]), other.defense)
            : 0;
    const bool worthAttacking = kill > 0 && (kill >= ATTACK_WORTH || kill >= other.population);
    if (worthAttacking && (!otherGathers || defended || defense == NOT_IN_HAND)) {
        return play(amount);
    }
    if (otherGathers && !defended && defense != NOT_IN_HAND) {
        return play(defense);
    }
    if (worthAttacking) {
        return play(amount);
    }
    if (!gathering && offense != NOT_IN_HAND) {
        return play(offense);
    }
    if (!defended && defense != NOT_IN_HAND) {
        return play(defense);
    }
    if (clerics != NOT_IN_HAND) {
        return play(clerics, other.population < CONVERT_FINISHES ? CONVERT : RESURRECT);
    }
    if (bones != NOT_IN_HAND && lead < ROLL_WHEN_BEHIND) {
        return play(bones, greenWeapon(view));
    }
    if (twist != NOT_IN_HAND && own.population > PRAYER_RISK && journeyBackGain(view) >= 0) {
        return play(twist);
    }
    if (summoners != NOT_IN_HAND) {
        return play(summoners, summonersOrder(view));
    }
    if (thieves != NOT_IN_HAND && (otherGathers || other.defense != CARD_NOTHING)) {
        return play(thieves, otherGathers ? DISPERSE : BREAK_DEFENSES);
    }
    if (prayer != NOT_IN_HAND && gathering && own.population > PRAYER_RISK && lead < 0) {
        return play(prayer);
    }
    if (gathering && amount != NOT_IN_HAND) {
        return play(amount);
    }
    return {{Move::DISCARD, discardPosition(view)}, std::nullopt};
}

} // namespace realmsfall
