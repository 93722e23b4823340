// Whole runs of the built game, each a child process in a folder of its own reading its keys
// from a file, timed by the CPU time the child used; the most memory it held is shown beside.
// Yardsticks run the same way: a save of the largest standings file by the plainest program.
#include "bench/child.h"
#include "core/console.h"
#include "driver/game.h"
#include "tests/support.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace {

using namespace realmsfall;
namespace fs = std::filesystem;

constexpr std::size_t EIGHT_MIB = std::size_t{8} << 20;
constexpr int PLAYERS = 1000000;

// A folder of the benchmark's own, removed at the end.
struct Scratch {
    explicit Scratch(const std::string& name)
        : folder(fs::temp_directory_path() /
                 ("realmsfall-bench-" + std::to_string(getpid()) + "-" + name)) {
        fs::create_directories(folder);
    }
    ~Scratch() { fs::remove_all(folder); }
    fs::path at(const std::string& name) const { return folder / name; }
    const fs::path folder;
};

void write(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// The keys of one game lost by discarding, seeded 0, ending with a no to another.
std::string oneLostGame(const std::string& name) {
    const Scratch scratch("keys");
    write(scratch.at("standings.txt"), "0\n~\n");
    testing::Discard nothing;
    std::ostream screen(&nothing);
    std::istringstream keys(name + "\n" + testing::LOSING_GAME);
    Console console{keys, screen, screen};
    runGame(console, scratch.at("standings.txt").string());
    keys.clear();
    const auto used = static_cast<std::size_t>(keys.tellg()) - 1; // less the empty "no"
    return keys.str().substr(0, used) + "n\n";
}

// Runs `arguments` once per iteration over a fresh copy of `standings`, reading `keys`; the
// iteration's time is the child's CPU time. Fails unless every run ends with `exitStatus`.
void timeChild(benchmark::State& state, const std::vector<std::string>& arguments,
               const fs::path& standings, const std::string& keys, int exitStatus) {
    const Scratch scratch("run");
    write(scratch.at("keys"), keys);
    long peakKiB = 0;
    for (auto _ : state) {
        if (standings.empty()) {
            fs::remove(scratch.at("standings.txt")); // started afresh by the run
        } else {
            fs::copy_file(standings, scratch.at("standings.txt"),
                          fs::copy_options::overwrite_existing);
        }
        const bench::ChildCost cost =
            bench::runChild(arguments, scratch.folder, scratch.at("keys").string());
        if (!WIFEXITED(cost.status) || WEXITSTATUS(cost.status) != exitStatus) {
            state.SkipWithError("the run did not end as expected");
            break;
        }
        state.SetIterationTime(cost.cpuSeconds);
        peakKiB = std::max(peakKiB, cost.peakKiB);
    }
    state.counters["peak_MiB"] = static_cast<double>(peakKiB) / 1024;
}

// A standings file of a million players, made once.
const fs::path& millionPlayers() {
    static const Scratch scratch("files");
    static const fs::path path = [] {
        std::string text = "0\n";
        for (int i = 0; i < PLAYERS; ++i) {
            text += "Player" + std::to_string(i) + " 12 7 63 19 2\n";
        }
        text += "~\n";
        write(scratch.at("million.txt"), text);
        return scratch.at("million.txt");
    }();
    return path;
}

void setFileSize(benchmark::State& state, const fs::path& file) {
    state.counters["file_MiB"] = static_cast<double>(fs::file_size(file)) / (1 << 20);
}

// A new player's one game against a file of a million players: read at the start, merged and
// saved at the end.
void millionPlayerGame(benchmark::State& state) {
    timeChild(state, {GAME}, millionPlayers(), oneLostGame("Newcomer"), 0);
    setFileSize(state, millionPlayers());
}

// The yardstick: the same file read whole, checked in one pass and written back through a
// synced temporary file.
void millionPlayerPlainSave(benchmark::State& state) {
    timeChild(state, {BASELINE_SAVE, "standings.txt"}, millionPlayers(), "", 0);
    setFileSize(state, millionPlayers());
}

// An 8 MiB name, then the input ends at the region prompt.
void longName(benchmark::State& state) {
    timeChild(state, {GAME}, {}, std::string(EIGHT_MIB, 'N') + "\n", EXIT_INPUT_ENDED);
}

// An 8 MiB line at the first command prompt, refused, then the input ends.
void longCommandLine(benchmark::State& state) {
    timeChild(state, {GAME}, {}, "Ann\nPongi\nh\n" + std::string(EIGHT_MIB, '7') + "\n",
              EXIT_INPUT_ENDED);
}

// Three lost games, from the name to the last "no".
void threeGames(benchmark::State& state) {
    std::ifstream script(THREE_GAMES_SCRIPT, std::ios::binary);
    timeChild(state, {GAME}, {}, {std::istreambuf_iterator<char>(script), {}}, 0);
}

BENCHMARK(millionPlayerGame)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(millionPlayerPlainSave)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(longName)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(longCommandLine)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(threeGames)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
