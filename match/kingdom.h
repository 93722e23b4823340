#pragma once

#include "cards/deck.h"

#include <array>
#include <cstdint>

namespace realmsfall {

// One side's state in a match.
struct Kingdom {
    CardId gathering;
    CardId defense;
    std::int32_t population;
    Hand hand;
};

// Who acts: every card routine takes this code last and tests only for the player's 'p'.
constexpr char SIDE_PLAYER = 'p';
constexpr char SIDE_COMPUTER = 'c';

// The side's state at the start of each of its last five turns, newest first.
constexpr int HISTORY_DAYS = 5;
using History = std::array<Kingdom, HISTORY_DAYS>;

} // namespace realmsfall
