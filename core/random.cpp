#include "core/random.h"

namespace realmsfall {

namespace {

constinit std::uint32_t state = UNSEEDED_STATE;

} // namespace

void srand(std::int32_t seed) {
    state = static_cast<std::uint32_t>(seed);
}

int rand() {
    state = nextState(state);
    return numberOf(state);
}

bool percentChance(int chance) {
    return rand() % 100 < chance;
}

std::uint32_t randomState() {
    return state;
}

} // namespace realmsfall
