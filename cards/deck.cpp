#include "cards/deck.h"

#include "core/random.h"

namespace realmsfall {

namespace {

struct DeckRow {
    int upperBound; // the row takes the draws below this bound
    CardId card;
};

// Each troop-like class takes a quarter of the deck with weights 29, 24, 19, 14, 9, 5; the
// special cards share the last quarter. Summoners sits between Divine Intervention and Clerics.
constexpr DeckRow DECK[] = {
    {29, 0},   {53, 1},   {72, 2},   {86, 3},   {95, 4},   {100, 5},  {129, 6},  {153, 7},
    {172, 8},  {186, 9},  {195, 10}, {200, 11}, {229, 12}, {253, 13}, {272, 14}, {286, 15},
    {295, 16}, {300, 17}, {317, 18}, {334, 19}, {350, 26}, {367, 20}, {384, 23}, {400, 24},
};

constexpr int CARD_KINDS = 30;

} // namespace

CardId drawCard() {
    const int r = rand() % 400;
    for (const DeckRow& row : DECK) {
        if (r < row.upperBound) {
            return row.card;
        }
    }
    return DECK[std::size(DECK) - 1].card;
}

void dealHands(Hand& first, Hand& second) {
    for (int i = 0; i < HAND_SIZE; ++i) {
        first[i] = drawCard();
        second[i] = drawCard();
    }
}

void sortHand(Hand& hand) {
    std::array<int, CARD_KINDS> counts{};
    for (const CardId card : hand) {
        ++counts[card];
    }
    std::size_t position = 0;
    for (CardId card = 0; card < CARD_KINDS; ++card) {
        for (int n = counts[card]; n > 0; --n) {
            hand[position++] = card;
        }
    }
}

int findCard(const Hand& hand, CardId card) {
    for (int position = 0; position < HAND_SIZE; ++position) {
        if (hand[position] == card) {
            return position;
        }
    }
    return NOT_IN_HAND;
}

} // namespace realmsfall
