#pragma once

// Shared helpers for the tests: a scripted console, the card names, and a count of the random
// numbers a piece of the game drew.

#include "cards/cards.h"
#include "core/console.h"
#include "core/random.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

namespace realmsfall::testing {

// A console whose keyboard is a fixed script and whose screen is kept for inspection.
struct ScriptedConsole {
    explicit ScriptedConsole(const std::string& typed = "") : in(typed) {}
    std::string screen() const { return out.str(); }

    std::istringstream in;
    std::ostringstream out;
    Console console{in, out};
};

inline const CardNames& names() {
    static const CardNames table = [] {
        CardNames filled;
        fillCardNames(filled);
        return filled;
    }();
    return table;
}

// How many numbers the generator has handed out since it stood at `before` (up to `limit`);
// -1 when it cannot be reached in that many steps.
inline int drawsSince(std::uint32_t before, int limit = 10000) {
    std::uint32_t state = before;
    for (int n = 0; n <= limit; ++n) {
        if (state == randomState()) {
            return n;
        }
        state = state * 214013u + 2531011u;
    }
    return -1;
}

// A fresh empty folder, removed again with everything in it.
struct TempDir {
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "realmsfall-XXXXXX");
        path = mkdtemp(pattern.data());
    }
    ~TempDir() { std::filesystem::remove_all(path); }
    std::string file(const std::string& name) const { return (path / name).string(); }

    std::filesystem::path path;
};

} // namespace realmsfall::testing
