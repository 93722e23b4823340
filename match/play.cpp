#include "match/play.h"

#include "match/discard.h"
#include "match/orders.h"
#include "specials/specials.h"

#include <cassert>

namespace realmsfall {

namespace {

// Hands a played card to its routine, which narrates it and returns the replacement.
CardId dispatch(Match& match, char side, CardId card, MenuAnswer answer) {
    Console& console = match.console;
    const CardNames& names = match.cardNames;
    const auto [self, opp] = actingFirst(side, match.player, match.computer);
    const auto [selfHistory, oppHistory] =
        actingFirst(side, match.playerHistory, match.computerHistory);
    if (isOffensiveTroop(card) || isAmount(card) || isDefensiveTroop(card)) {
        return playTroopCard(console, self, opp, card, names, side);
    }
    switch (card) {
    case CARD_THIEVES:
        return thieves(console, opp, names, answer, side);
    case CARD_DIVINE_INTERVENTION:
        return divineIntervention(console, self, names, side);
    case CARD_CLERICS:
        return clerics(console, self.population, opp.population, opp.hand, names, answer, side);
    case CARD_TIME_TWIST:
        return timeTwist(console, self, opp, match.turn, selfHistory, oppHistory,
                         match.computerRegion, side);
    case CARD_BONES_OF_FATE:
        return bonesOfFate(console, self, opp, match.turn, names, answer, side);
    default:
        assert(card == CARD_SUMMONERS); // a hand only holds the kinds the deck deals
        return summoners(console, self, opp, names, answer, side);
    }
}

} // namespace

bool playsTimeTwist(const Hand& hand, Move move) {
    return move.kind == Move::PLAY && cardAt(hand, move.position) == CARD_TIME_TWIST;
}

void applyMove(Match& match, char side, Move move, MenuAnswer answer) {
    assert(isHandPosition(move.position));
    Kingdom& self = actingFirst(side, match.player, match.computer).first;
    const CardId card = cardAt(self.hand, move.position);
    const bool timeTwist = playsTimeTwist(self.hand, move);
    const CardId replacement = move.kind == Move::DISCARD
                                   ? discardCard(match.console, card, match.cardNames, side)
                                   : dispatch(match, side, card, answer);
    self.hand[move.position] = replacement;
    if (side == SIDE_PLAYER) {
        match.receivedCard = replacement;
    } else if (timeTwist) {
        match.refreshReceived = true;
    }
}

} // namespace realmsfall
