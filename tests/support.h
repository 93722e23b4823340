#pragma once

// What the tests share: scripted consoles, forced draws, and whole runs of the game played
// in-process against a standings file of the test's own.

#include "cards/deck.h"
#include "core/console.h"
#include "core/random.h"
#include "driver/complaints.h"
#include "driver/game.h"
#include "driver/options.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <streambuf>
#include <string>
#include <sys/stat.h>
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

// The file's bytes; empty when it is missing or not a plain file.
inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A folder of this test process's own, made on first use and removed at its end, so that
// suites run side by side never share a file; every user may pass through it.
inline const std::string& scratchFolder() {
    static const std::string& folder = *new std::string([] {
        std::string made = ::testing::TempDir() + "realmsfall-XXXXXX";
        if (mkdtemp(made.data()) == nullptr || chmod(made.c_str(), 0755) != 0) {
            throw std::runtime_error("no scratch folder in " + ::testing::TempDir());
        }
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(scratchFolder(), ignored);
        });
        return made;
    }());
    return folder;
}

// The current test's own standings file, holding `text`, or missing when `text` is empty.
inline std::string standingsFile(const std::string& text) {
    const std::string path =
        scratchFolder() + "/" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::filesystem::remove_all(path);
    if (!text.empty()) {
        std::ofstream(path, std::ios::binary) << text;
    }
    return path;
}

// An empty folder of the current test's own, beside its standings file (which the in-process
// runs that work out a game's keys use).
inline std::string ownFolder() {
    const std::string folder = standingsFile("") + "-folder";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

struct Outcome {
    int status;
    std::string screen, complaints, file; // console, error stream, the standings file afterwards
    std::string rest;                     // the keys left untouched
};

// One run on the file at `path`, which is left in place.
inline Outcome runAt(const std::string& path, const std::string& keys) {
    ScriptedConsole c(keys);
    const int status = runGame(c.console, path);
    c.in.clear();
    const std::streamoff used = c.in.tellg();
    return {status, c.screen(), c.err.str(), readFile(path),
            used < 0 ? "" : keys.substr(static_cast<std::size_t>(used))};
}

// One run on a fresh file holding `file` (missing when empty), removed afterwards.
inline Outcome run(const std::string& file, const std::string& keys) {
    const std::string path = standingsFile(file);
    Outcome result = runAt(path, keys);
    std::filesystem::remove_all(path);
    return result;
}

// A run expected to end normally.
inline Outcome play(const std::string& file, const std::string& keys) {
    Outcome result = run(file, keys);
    EXPECT_EQ(result.status, 0) << result.complaints;
    return result;
}

// One run of the command line `realmsfall arguments...` on `keys`; no standings file of its own.
inline Outcome commandLine(std::vector<std::string> arguments, const std::string& keys = "") {
    arguments.insert(arguments.begin(), "realmsfall");
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    ScriptedConsole c(keys);
    const int status = runCommandLine(static_cast<int>(argv.size()) - 1, argv.data(), c.console);
    return {status, c.screen(), c.err.str(), "", ""};
}

// The keys of a lost game seeded with `seed`, up to the play-again question.
inline std::string lostGame(int seed) {
    const Outcome probe = play(std::to_string(seed) + "\n~\n", "Probe\n" + LOSING_GAME);
    EXPECT_NE(probe.screen.find("lies in ruins.\n"), std::string::npos) << "seed " << seed;
    return LOSING_GAME.substr(0, LOSING_GAME.size() - probe.rest.size() - 1);
}

} // namespace realmsfall::testing
