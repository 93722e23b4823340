#include "match/computer.h"

#include "match/discard.h"

#include <cstring>

namespace realmsfall {

namespace {

constexpr std::int32_t LOW_POPULATION = 50000;

constexpr CardId OFFENSIVE_STRONGEST_FIRST[] = {5, 4, 3, 2, 1, 0};
constexpr CardId DEFENSIVE_STRONGEST_FIRST[] = {17, 16, 15, 14, 13, 12};
constexpr CardId AMOUNTS_LARGEST_FIRST[] = {11, 10, 9, 8, 7, 6};

} // namespace

int findStrongest(const Hand& hand, const char* className) {
    const CardId* kinds = AMOUNTS_LARGEST_FIRST;
    if (std::strcmp(className, "off") == 0) {
        kinds = OFFENSIVE_STRONGEST_FIRST;
    } else if (std::strcmp(className, "def") == 0) {
        kinds = DEFENSIVE_STRONGEST_FIRST;
    }
    for (int i = 0; i < 6; ++i) {
        const int position = findCard(hand, kinds[i]);
        if (position != NOT_IN_HAND) {
            return position;
        }
    }
    return NOT_IN_HAND;
}

int chooseComputerCard(const Kingdom& own, const Kingdom& player) {
    const Hand& hand = own.hand;
    const bool gathering = own.gathering != CARD_NOTHING;
    const bool defended = own.defense != CARD_NOTHING;
    const bool playerGathering = player.gathering != CARD_NOTHING;
    const bool playerDefended = player.defense != CARD_NOTHING;
    const bool mayPray =
        gathering && own.population > LOW_POPULATION && own.gathering != CARD_AVATARS;

    struct Step {
        bool applies;
        int position;
    };
    // Tried in order; the first step whose condition holds and whose card is in hand is played.
    const Step steps[] = {
        {gathering && !playerGathering, findStrongest(hand, "num")},
        {!gathering && !playerGathering && !playerDefended, findStrongest(hand, "off")},
        {!defended, findStrongest(hand, "def")},
        {!gathering, findStrongest(hand, "off")},
        {mayPray, findCard(hand, CARD_DIVINE_INTERVENTION)},
        {gathering, findStrongest(hand, "num")},
        {own.population < LOW_POPULATION, findCard(hand, CARD_CLERICS)},
        {playerGathering && !defended, findCard(hand, CARD_SUMMONERS)},
        {playerGathering && !defended, findCard(hand, CARD_THIEVES)},
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
            return step.position;
        }
    }
    return NOT_IN_HAND;
}

bool chooseComputerPlay(Match& match) {
    Kingdom& computer = match.computer;
    const int position = chooseComputerCard(computer, match.player);
    if (position == NOT_IN_HAND) {
        discardCard(match.console, computer.hand, match.receivedCard, match.cardNames,
                    SIDE_COMPUTER);
        return false;
    }
    const bool timeTwist = computer.hand[position] == CARD_TIME_TWIST;
    playFromHand(match, SIDE_COMPUTER, position);
    return timeTwist;
}

} // namespace realmsfall
