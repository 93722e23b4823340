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
// whose running bound (its weight and the weights of the rows before it) lies above it.
constexpr int DECK_SPAN = 400;

struct DeckRow {
    int weight; // how many of the DECK_SPAN remainders draw the row's card
    CardId card;
};

// Each troop class takes a quarter of the deck with weights 29, 24, 19, 14, 9, 5 from its weakest
// to its strongest card; the special cards share the last quarter. The rows are tried in this
// order, which is why Summoners sits between Divine Intervention and Clerics.
constexpr auto DECK = std::to_array<DeckRow>({
    {29, CARD_FOOTMEN},     {24, CARD_ARCHERS},
    {19, CARD_KNIGHTS},     {14, CARD_MAGES},
    {9, CARD_SEIGE_TOWERS}, {5, CARD_DRAGONS},
    {29, CARD_UNIT_OF_100}, {24, CARD_UNIT_OF_300},
    {19, CARD_UNIT_OF_500}, {14, CARD_UNIT_OF_1000},
    {9, CARD_UNIT_OF_2500}, {5, CARD_UNIT_OF_5000},
    {29, CARD_PEASANTS},    {24, CARD_PIKEMEN},
    {19, CARD_RANGERS},     {14, CARD_PALADINS},
    {9, CARD_BALLISTAS},    {5, CARD_GRIFFONS},
    {17, CARD_THIEVES},     {17, CARD_DIVINE_INTERVENTION},
    {16, CARD_SUMMONERS},   {17, CARD_CLERICS},
    {17, CARD_TIME_TWIST},  {16, CARD_BONES_OF_FATE},
});

// The running bound of each row: a draw gives the card of the first row whose bound lies above
// its remainder.
constexpr auto DECK_BOUNDS = [] {
    std::array<int, DECK.size()> bounds{};
    int sum = 0;
    for (std::size_t row = 0; row < DECK.size(); ++row) {
        sum += DECK[row].weight;
        bounds[row] = sum;
    }
    return bounds;
}();
static_assert(DECK_BOUNDS.back() == DECK_SPAN, "the weights share out the whole deck");

// How many of the DECK_SPAN remainders draw `card`: 0 for the kinds the deck never deals.
constexpr int drawWeight(CardId card) {
    for (const DeckRow& row : DECK) {
        if (row.card == card) {
            return row.weight;
        }
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
