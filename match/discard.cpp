#include "match/discard.h"

#include "match/kingdom.h"

#include <ostream>

namespace realmsfall {

namespace {

// Weakest first: the two weakest defenses, then amount, attacker and defense of rising rank,
// then the two strongest amounts and attackers, the special cards last.
constexpr CardId DISCARD_PREFERENCE[] = {12, 13, 6,  0, 14, 7, 1,  15, 8,  2,  16, 9,
                                         3,  17, 10, 4, 11, 5, 18, 19, 20, 23, 24, 26};

} // namespace

int computerDiscardPosition(const Hand& hand) {
    for (const CardId card : DISCARD_PREFERENCE) {
        const int position = findCard(hand, card);
        if (position != NOT_IN_HAND) {
            return position;
        }
    }
    return NOT_IN_HAND;
}

void discardCard(Console& console, Hand& hand, CardId& receivedCard, const CardNames& cardNames,
                 char side) {
    if (side == SIDE_PLAYER) {
        console.out << "Discard which unit? ";
        const int position = readChoice(console, HAND_SIZE);
        console.out << "You have discarded your " << cardNames[hand[position]] << "\n";
        hand[position] = drawCard();
        receivedCard = hand[position];
        return;
    }
    const int position = computerDiscardPosition(hand);
    console.out << "You see unwanted troops leaving the enemies camp.\n";
    hand[position] = drawCard();
}

} // namespace realmsfall
