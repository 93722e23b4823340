#pragma once

#include "cards/deck.h"
#include "core/console.h"
#include "core/string.h"

#include <array>
#include <cstdint>
#include <optional>
#include <utility>

namespace realmsfall {

// One side's state in a match.
struct Kingdom {
    CardId gathering;
    CardId defense;
    std::int32_t population;
    Hand hand;
};

// A side whose people are all gone has lost; its population may go below zero.
inline bool alive(const Kingdom& kingdom) {
    return kingdom.population > 0;
}

// Who acts: every card routine takes this code last and tests only for the player's 'p'.
constexpr char SIDE_PLAYER = 'p';
constexpr char SIDE_COMPUTER = 'c';

// The two sides' records, the acting side's first: {self, opp} from {player, computer}. The
// exchange is its own inverse, so the same call turns {self, opp} back into {player, computer}.
template <typename Record>
std::pair<Record&, Record&> actingFirst(char side, Record& player, Record& computer) {
    if (side == SIDE_PLAYER) {
        return {player, computer};
    }
    return {computer, player};
}

// The side's state at the start of each of its last five turns, newest first.
constexpr int HISTORY_DAYS = 5;
using History = std::array<Kingdom, HISTORY_DAYS>;

// Everything that lives for one match.
struct Match {
    Console& console;
    const CardNames& cardNames;
    const String playerRegion;
    const String computerRegion;
    Kingdom player;
    Kingdom computer;
    History playerHistory;
    History computerHistory;
    std::int32_t turn;
    CardId receivedCard;  // shown to the player after "You received: "
    bool refreshReceived; // set by the computer's Time Twist
};

// A side's pick in a special card's menu of three (0 to 2), given in advance by a computer level.
// Without one the player is asked and the computer's side follows the card's own rule.
using MenuAnswer = std::optional<int>;

// What a side does on its turn: play the card at a hand position, or throw it away.
struct Move {
    enum Kind { PLAY, DISCARD };
    Kind kind;
    int position;
};

} // namespace realmsfall
