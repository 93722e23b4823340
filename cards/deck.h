#pragma once

#include "cards/cards.h"

#include <array>
#include <cassert>
#include <cstddef>

namespace realmsfall {

constexpr int HAND_SIZE = 13;
using Hand = std::array<CardId, HAND_SIZE>;

// What findCard answers when the hand holds no card of the kind.
constexpr int NOT_IN_HAND = 21;

// The deck is endless: a draw takes a remainder in DECK_SPAN and gives the card of the first row
// whose bound lies above it.
constexpr int DECK_SPAN = 400;

struct DeckRow {
    int upperBound; // the row takes the remainders below this bound
    CardId card;
};

// Each troop class takes a quarter of the deck with weights 29, 24, 19, 14, 9, 5 from its weakest
// to its strongest card; the special cards share the last quarter. The rows are tried in this
// order, which is why Summoners sits between Divine Intervention and Clerics.
constexpr auto DECK = std::to_array<DeckRow>({
    {29, CARD_FOOTMEN},       {53, CARD_ARCHERS},
    {72, CARD_KNIGHTS},       {86, CARD_MAGES},
    {95, CARD_SEIGE_TOWERS},  {100, CARD_DRAGONS},
    {129, CARD_UNIT_OF_100},  {153, CARD_UNIT_OF_300},
    {172, CARD_UNIT_OF_500},  {186, CARD_UNIT_OF_1000},
    {195, CARD_UNIT_OF_2500}, {200, CARD_UNIT_OF_5000},
    {229, CARD_PEASANTS},     {253, CARD_PIKEMEN},
    {272, CARD_RANGERS},      {286, CARD_PALADINS},
    {295, CARD_BALLISTAS},    {300, CARD_GRIFFONS},
    {317, CARD_THIEVES},      {334, CARD_DIVINE_INTERVENTION},
    {350, CARD_SUMMONERS},    {367, CARD_CLERICS},
    {384, CARD_TIME_TWIST},   {DECK_SPAN, CARD_BONES_OF_FATE},
});

// How many of the DECK_SPAN remainders draw `card`: 0 for the kinds the deck never deals.
constexpr int drawWeight(CardId card) {
    int lowerBound = 0;
    for (const DeckRow& row : DECK) {
        if (row.card == card) {
            return row.upperBound - lowerBound;
        }
        lowerBound = row.upperBound;
    }
    return 0;
}

// Positions in a hand run from 0 to HAND_SIZE - 1.
inline bool isHandPosition(int position) {
    return position >= 0 && position < HAND_SIZE;
}

// The card at a position of the hand.
inline CardId cardAt(const Hand& hand, int position) {
    assert(isHandPosition(position));
    return hand[static_cast<std::size_t>(position)];
}

// One weighted draw from the endless deck; consumes exactly one random number.
CardId drawCard();

// Thirteen draws for each hand, alternating, the first hand first.
void dealHands(Hand& first, Hand& second);

// Ascending card order, in place.
void sortHand(Hand& hand);

// The first position holding `card`, or NOT_IN_HAND.
int findCard(const Hand& hand, CardId card);

} // namespace realmsfall
