#pragma once

// Whole runs of the game played in-process against a standings file of the test's own.
#include "driver/complaints.h"
#include "driver/game.h"
#include "driver/options.h"
#include "support.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/stat.h>

namespace realmsfall::testing {

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

// A folder of the current test's own, beside its standings file (which the in-process runs that
// work out a game's keys use), holding "standings.txt" with `standings` unless that is empty.
inline std::string ownFolder(const std::string& standings = "") {
    const std::string folder = standingsFile("") + "-folder";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    if (!standings.empty()) {
        std::ofstream(folder + "/standings.txt", std::ios::binary) << standings;
    }
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
