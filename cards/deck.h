#pragma once

#include "cards/cards.h"

#include <array>

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
constexpr std::array<DeckRow, 24> DECK = {{
    {29, 0},   {53, 1},   {72, 2},   {86, 3},   {95, 4},   {100, 5},  {129, 6},  {153, 7},
    {172, 8},  {186, 9},  {195, 10}, {200, 11}, {229, 12}, {253, 13}, {272, 14}, {286, 15},
    {295, 16}, {300, 17}, {317, 18}, {334, 19}, {350, 26}, {367, 20}, {384, 23}, {400, 24},
}};

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

// One weighted draw from the endless deck; consumes exactly one random number.
CardId drawCard();

// Thirteen draws for each hand, alternating, the first hand first.
void dealHands(Hand& first, Hand& second);

// Ascending card order, in place.
void sortHand(Hand& hand);

// The first position holding `card`, or NOT_IN_HAND.
int findCard(const Hand& hand, CardId card);

} // namespace realmsfall
