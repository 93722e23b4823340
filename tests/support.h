#pragma once

#include "cards/cards.h"
#include "core/console.h"
#include "core/random.h"

#include <cstdint>
#include <sstream>
#include <streambuf>
#include <string>

namespace realmsfall::testing {

// A screen that takes every character and keeps none, while the stream stays good as a real
// screen does.
class Discard : public std::streambuf {
  protected:
    int overflow(int c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

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

// Seeds the generator with the first seed whose opening draws satisfy `wanted`, and returns it.
template <typename Pred>
int seedWhere(Pred wanted) {
    int seed = 0;
    while (srand(seed), !wanted()) {
        ++seed;
    }
    srand(seed);
    return seed;
}

// How many numbers the generator has handed out since it stood at `before`; -1 past `limit`.
inline int drawsSince(std::uint32_t before, int limit = 10000) {
    for (int n = 0; n <= limit; ++n, before = before * 214013u + 2531011u) {
        if (before == randomState()) {
            return n;
        }
    }
    return -1;
}

// The text with its first '#' replaced by the number.
inline std::string withNumber(std::string text, long number) {
    if (const auto at = text.find('#'); at != std::string::npos) {
        text.replace(at, 1, std::to_string(number));
    }
    return text;
}

} // namespace realmsfall::testing
