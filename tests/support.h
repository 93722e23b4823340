#pragma once

// What the tests and benchmarks share: scripted consoles, a lost game's keys, forced draws.

#include "cards/deck.h"
#include "core/console.h"
#include "core/random.h"

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace realmsfall::testing {

// A console whose keyboard is a fixed script and whose screen is kept for inspection.
struct ScriptedConsole {
    explicit ScriptedConsole(const std::string& typed = "") : in(typed) {}
    std::string screen() const { return out.str(); }
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    Console console{in, out, err};
};

inline const CardNames NAMES = [] {
    CardNames filled;
    fillCardNames(filled);
    return filled;
}();

// Region, coin call, then turns spent discarding the first card until the computer wins. The
// empty lines feed the pauses after each turn; spare ones only make the command entry ask again.
inline const std::string LOSING_GAME = [] {
    std::string keys = "Pongi\nh\n";
    for (int turn = 0; turn < 300; ++turn) {
        keys += "\n\n\n\n14\n1\n";
    }
    return keys;
}();

// A draw a test wants to come out, {modulus, value}: rand() % modulus == value.
using Draw = std::pair<int, int>;
constexpr Draw ANY_DRAW{1, 0}; // a draw whose value does not matter

// Seeds the generator with the first seed below 2^26 whose first draws come out as `draws`, in
// order, and returns it; throws, failing the test, when there is none.
inline int seedFor(const std::vector<Draw>& draws) {
    const auto wanted = [](Draw d) { return rand() % d.first == d.second; };
    for (int seed = 0; seed < 1 << 26; ++seed) {
        if (srand(seed), std::all_of(draws.begin(), draws.end(), wanted)) {
            srand(seed);
            return seed;
        }
    }
    throw std::runtime_error("no seed draws as wanted");
}

// The card that a draw gives after `skipped` numbers from `seed`.
inline CardId cardDrawnAfter(int seed, int skipped) {
    for (srand(seed); skipped > 0; --skipped) {
        rand();
    }
    return drawCard();
}

// A hand of `front`, filled up with `filler`.
inline Hand handOf(const std::vector<CardId>& front, CardId filler) {
    Hand hand;
    hand.fill(filler);
    std::copy(front.begin(), front.end(), hand.begin());
    return hand;
}

// How many numbers the generator has handed out since it stood at `before`; -1 past `limit`.
inline int drawsSince(std::uint32_t before, int limit = 10000) {
    for (int n = 0; n <= limit; ++n, before = nextState(before)) {
        if (before == randomState()) {
            return n;
        }
    }
    return -1;
}

} // namespace realmsfall::testing
