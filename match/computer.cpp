#include "match/computer.h"

#include "match/discard.h"

#include <cstring>
#include <span>

namespace realmsfall {

namespace {

// The computer prays only above LOW_POPULATION people, and calls its clerics early below it.
constexpr std::int32_t LOW_POPULATION = 50000;

constexpr CardId OFFENSIVE_STRONGEST_FIRST[] = {CARD_DRAGONS, CARD_SEIGE_TOWERS, CARD_MAGES,
                                                CARD_KNIGHTS, CARD_ARCHERS,      CARD_FOOTMEN};
constexpr CardId DEFENSIVE_STRONGEST_FIRST[] = {CARD_GRIFFONS, CARD_BALLISTAS, CARD_PALADINS,
                                                CARD_RANGERS,  CARD_PIKEMEN,   CARD_PEASANTS};
constexpr CardId AMOUNTS_LARGEST_FIRST[] = {CARD_UNIT_OF_5000, CARD_UNIT_OF_2500, CARD_UNIT_OF_1000,
                                            CARD_UNIT_OF_500,  CARD_UNIT_OF_300,  CARD_UNIT_OF_100};

} // namespace

int findStrongest(const Hand& hand, const char* className) {
    std::span<const CardId> kinds = AMOUNTS_LARGEST_FIRST;
    if (std::strcmp(className, "off") == 0) {
        kinds = OFFENSIVE_STRONGEST_FIRST;
    } else if (std::strcmp(className, "def") == 0) {
        kinds = DEFENSIVE_STRONGEST_FIRST;
    }
    for (const CardId kind : kinds) {
        const int position = findCard(hand, kind);
        if (position != NOT_IN_HAND) {
            return position;
        }
    }
    return NOT_IN_HAND;
}

Move chooseComputerMove(const Kingdom& own, CardId playerGathering, CardId playerDefense) {
    const Hand& hand = own.hand;
    const bool gathering = own.gathering != CARD_NOTHING;
    const bool defended = own.defense != CARD_NOTHING;
    const bool playerGathers = playerGathering != CARD_NOTHING;
    const bool playerDefended = playerDefense != CARD_NOTHING;
    const bool mayPray =
        gathering && own.population > LOW_POPULATION && own.gathering != CARD_AVATARS;

    // Tried in order; the first step whose condition holds and whose card is in hand is played.
    // A step names the class it plays the strongest of, or else its one card.
    struct Step {
        bool applies;
        const char* strongestOf;
        CardId card;
    };
    const Step steps[] = {
        {gathering && !playerGathers, "num", CARD_NOTHING},
        {!gathering && !playerGathers && !playerDefended, "off", CARD_NOTHING},
        {!defended, "def", CARD_NOTHING},
        {!gathering, "off", CARD_NOTHING},
        {mayPray, nullptr, CARD_DIVINE_INTERVENTION},
        {gathering, "num", CARD_NOTHING},
        {own.population < LOW_POPULATION, nullptr, CARD_CLERICS},
        {playerGathers && !defended, nullptr, CARD_SUMMONERS},
        {playerGathers && !defended, nullptr, CARD_THIEVES},
        {true, nullptr, CARD_BONES_OF_FATE},
        {defended, nullptr, CARD_TIME_TWIST},
        {true, nullptr, CARD_CLERICS},
        {true, nullptr, CARD_SUMMONERS},
        {true, nullptr, CARD_DIVINE_INTERVENTION},
        {true, nullptr, CARD_THIEVES},
        {true, nullptr, CARD_TIME_TWIST},
    };
    for (const Step& step : steps) {
        if (!step.applies) {
            continue;
        }
        const int position = step.strongestOf != nullptr ? findStrongest(hand, step.strongestOf)
                                                         : findCard(hand, step.card);
        if (position != NOT_IN_HAND) {
            return {Move::PLAY, position};
        }
    }
    return {Move::DISCARD, computerDiscardPosition(hand)};
}

} // namespace realmsfall
