#include "cards/deck.h"

#include "core/random.h"

#include <cassert>

namespace realmsfall {

CardId drawCard() {
    const int r = rand() % DECK_SPAN;
    for (std::size_t row = 0; row < DECK.size(); ++row) {
        if (r < DECK_BOUNDS[row]) {
            return DECK[row].card;
        }
    }
    return DECK.back().card;
}

void dealHands(Hand& first, Hand& second) {
    for (int i = 0; i < HAND_SIZE; ++i) {
        first[i] = drawCard();
        second[i] = drawCard();
    }
}

void sortHand(Hand& hand) {
    std::array<int, CARD_KIND_COUNT> counts{}; // the counting sort: one counter a kind
    for (const CardId card : hand) {
        assert(isCardKind(card));
        ++counts[card];
    }
    std::size_t position = 0;
    for (CardId card = 0; card < CARD_KIND_COUNT; ++card) {
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
