#pragma once

#include <cstdint>

namespace realmsfall {

// The game's one random generator, shared by the whole run. A seed always yields the same
// sequence, so the order of the draws is part of every rule that draws.
void srand(std::int32_t seed);

// The generator's state before any seed, the one seed 1 gives: fixed when the program is loaded,
// whatever runs first.
constexpr std::uint32_t UNSEEDED_STATE = 1;

// One step of the generator: the state after `state`, and the number a state gives.
constexpr std::uint32_t nextState(std::uint32_t state) {
    return state * 214013u + 2531011u;
}
constexpr int numberOf(std::uint32_t state) {
    return static_cast<int>((state >> 16) & 0x7FFFu);
}

// 0 to 32767.
int rand();

// One draw that succeeds `chance` times in 100: rand() % 100 < chance.
bool percentChance(int chance);

// The generator's current state, so that tests can tell how many numbers a rule drew.
std::uint32_t randomState();

} // namespace realmsfall
