#pragma once

// What both fuzz targets share: a private folder for the standings file, a screen that shows
// nothing, the keys of a game lost by discarding, and one whole run of the game on given keys.
#include "core/console.h"
#include "driver/complaints.h"
#include "driver/game.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <streambuf>
#include <string>

namespace realmsfall::fuzzing {

// A folder for this process alone, made on first use and removed at exit.
inline const std::string& privateFolder() {
    static const std::string folder = [] {
        std::string path = std::filesystem::temp_directory_path() / "realmsfall-fuzz-XXXXXX";
        if (mkdtemp(path.data()) == nullptr) {
            std::perror("realmsfall fuzz: cannot make a private folder");
            std::abort();
        }
        return path;
    }();
    static const bool removedAtExit = std::atexit([] {
                                          std::error_code ignored;
                                          std::filesystem::remove_all(privateFolder(), ignored);
                                      }) == 0;
    (void)removedAtExit;
    return folder;
}

// Region, coin call, then turns spent discarding the first card until one side falls; the empty
// lines feed the pauses after each turn.
inline const std::string LOSING_GAME = [] {
    std::string keys = "Pongi\nh\n";
    for (int turn = 0; turn < 300; ++turn) {
        keys += "\n\n\n\n14\n1\n";
    }
    return keys;
}();

inline const std::string& standingsPath() {
    static const std::string path = privateFolder() + "/standings.txt";
    return path;
}

inline void resetStandings(const std::string& text) {
    std::ofstream(standingsPath(), std::ios::binary | std::ios::trunc) << text;
}

inline std::string currentFile() {
    std::ifstream in(standingsPath(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A screen that takes every character and keeps none, while the stream stays good as a real
// screen does.
class Discard : public std::streambuf {
  protected:
    int overflow(int c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

// One run on `keys` against the standings file as it stands; returns the exit status.
inline int playRun(const std::string& keys) {
    static Discard nothing;
    std::istringstream in(keys);
    std::ostream screen(&nothing);
    std::ostream complaints(&nothing);
    Console console{in, screen, complaints};
    return runGame(console, standingsPath());
}

// A broken promise of the game: reported as a crash, so that the fuzzer keeps the input.
inline void require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "realmsfall fuzz: %s\n", what);
        std::abort();
    }
}

} // namespace realmsfall::fuzzing
