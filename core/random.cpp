#include "core/random.h"

namespace realmsfall {

namespace {

std::uint32_t state = 1;

} // namespace

void srand(std::int32_t seed) {
    state = static_cast<std::uint32_t>(seed);
}

int rand() {
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFFu);
}

bool percentChance(int chance) {
    return rand() % 100 < chance;
}

std::uint32_t randomState() {
    return state;
}

} // namespace realmsfall
