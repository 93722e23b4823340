#pragma once

#include <cstdint>

namespace realmsfall {

// The game's one random generator, shared by the whole run. A seed always yields the same
// sequence, so the order of the draws is part of every rule that draws.
void srand(std::int32_t seed);

// 0 to 32767.
int rand();

// One draw that succeeds `chance` times in 100: rand() % 100 < chance.
bool percentChance(int chance);

// The generator's current state, so that tests can tell how many numbers a rule drew.
std::uint32_t randomState();

} // namespace realmsfall
