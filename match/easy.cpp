// The easy computer: the computer's own priorities, but most of the time played as a beginner
// plays: an attack with the smallest unit, the weakest troops gathered, the defense left for
// after an attack or a gathering, a special card played on a whim.
#include "match/computer.h"
#include "match/levels.h"

#include <algorithm>
#include <span>

namespace realmsfall {

namespace {

// In how many of a hundred moves the beginner slips (as a rule, where the move is a card).
constexpr int SLIP_CHANCE = 75;

constexpr CardId SPECIAL_CARDS[] = {CARD_THIEVES,    CARD_DIVINE_INTERVENTION, CARD_CLERICS,
                                    CARD_TIME_TWIST, CARD_BONES_OF_FATE,       CARD_SUMMONERS};

// The first position of the lowest kind of `first` to `last` in the hand; NOT_IN_HAND when none.
int findWeakest(const Hand& hand, CardId first, CardId last) {
    for (CardId kind = first; kind <= last; ++kind) {
        if (const int position = findCard(hand, kind); position != NOT_IN_HAND) {
            return position;
        }
    }
    return NOT_IN_HAND;
}

// A special card on a whim: the first the hand holds of a kind drawn at random.
int whimsicalSpecial(const Hand& hand, LevelRandom& random) {
    const std::span<const CardId> specials = SPECIAL_CARDS;
    const int start = levelDraw(random, static_cast<int>(specials.size()));
    for (std::size_t i = 0; i < specials.size(); ++i) {
        const CardId kind = specials[(static_cast<std::size_t>(start) + i) % specials.size()];
        if (const int position = findCard(hand, kind); position != NOT_IN_HAND) {
            return position;
        }
    }
    return NOT_IN_HAND;
}

} // namespace

Choice chooseEasy(const View& view, LevelRandom& random) {
    const Choice planned = chooseNormal(view, random);
    if (levelDraw(random, 100) >= SLIP_CHANCE || planned.move.kind != Move::PLAY) {
        return planned;
    }
    const Hand& hand = view.own.hand;
    const CardId card = hand[planned.move.position];
    int slip = NOT_IN_HAND;
    if (isAmount(card)) {
        slip = findWeakest(hand, CARD_UNIT_OF_100, CARD_UNIT_OF_5000);
    } else if (isOffensiveTroop(card)) {
        slip = findWeakest(hand, CARD_FOOTMEN, CARD_DRAGONS);
    } else if (isDefensiveTroop(card)) { // the defense can wait: an attack first
        const int amount = findWeakest(hand, CARD_UNIT_OF_100, CARD_UNIT_OF_5000);
        const int troop = findWeakest(hand, CARD_FOOTMEN, CARD_DRAGONS);
        slip = view.own.gathering != CARD_NOTHING && amount != NOT_IN_HAND ? amount
               : troop != NOT_IN_HAND                                      ? troop
                                      : findWeakest(hand, CARD_PEASANTS, CARD_GRIFFONS);
    } else {
        slip = whimsicalSpecial(hand, random);
    }
    return {{Move::PLAY, slip}, std::nullopt};
}

} // namespace realmsfall
