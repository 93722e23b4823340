#include "match/computer.h"

#include "match/discard.h"
#include "match/play.h"

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

// The first position of the highest kind of a class ("off", "def", anything else "num") in the
// hand, or NOT_IN_HAND.
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

} // namespace

Move chooseComputerMove(const Kingdom& own, CardId playerGathering, CardId playerDefense) {
    const Hand& hand = own.hand;
    const bool gathering = own.gathering != CARD_NOTHING;
    const bool defended = own.defense != CARD_NOTHING;
    const bool playerGathers = playerGathering != CARD_NOTHING;
    const bool playerDefended = playerDefense != CARD_NOTHING;
    const bool mayPray =
        gathering && own.population > LOW_POPULATION && own.gathering != CARD_AVATARS;

    struct Step {
        bool applies;
        int position;
    };
    // Tried in order; the first step whose condition holds and whose card is in hand is played.
    const Step steps[] = {
        {gathering && !playerGathers, findStrongest(hand, "num")},
        {!gathering && !playerGathers && !playerDefended, findStrongest(hand, "off")},
        {!defended, findStrongest(hand, "def")},
        {!gathering, findStrongest(hand, "off")},
        {mayPray, findCard(hand, CARD_DIVINE_INTERVENTION)},
        {gathering, findStrongest(hand, "num")},
        {own.population < LOW_POPULATION, findCard(hand, CARD_CLERICS)},
        {playerGathers && !defended, findCard(hand, CARD_SUMMONERS)},
        {playerGathers && !defended, findCard(hand, CARD_THIEVES)},
        {true, findCard(hand, CARD_BONES_OF_FATE)},
        {defended, findCard(hand, CARD_TIME_TWIST)},
        {true, findCard(hand, CARD_CLERICS)},
        {true, findCard(hand, CARD_SUMMONERS)},
        {true, findCard(hand, CARD_DIVINE_INTERVENTION)},
        {true, findCard(hand, CARD_THIEVES)},
        {true, findCard(hand, CARD_TIME_TWIST)},
    };
    for (const Step& step : steps) {
        if (step.applies && step.position != NOT_IN_HAND) {
            return {Move::PLAY, step.position};
        }
    }
    return {Move::DISCARD, computerDiscardPosition(hand)};
}

bool chooseComputerPlay(Match& match) {
    const Move move =
        chooseComputerMove(match.computer, match.player.gathering, match.player.defense);
    const bool timeTwist = playsTimeTwist(match.computer.hand, move);
    applyMove(match, SIDE_COMPUTER, move);
    return timeTwist;
}

} // namespace realmsfall
