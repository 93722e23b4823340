// Whole runs of the game in-process, each against a fresh standings file in a folder of its own,
// with a screen that shows nothing: an absurdly long name, an absurdly long command line, and
// the three lost games that the memory check plays too.
#include "core/console.h"
#include "driver/game.h"
#include "tests/support.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <streambuf>
#include <string>
#include <unistd.h>

namespace {

using namespace realmsfall;

constexpr std::size_t EIGHT_MIB = std::size_t{8} << 20;

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Times runs on `keys`, each from a fresh standings file, and checks that every run ended with
// `status` and left a file of at least `leastFileSize` bytes.
void timeRuns(benchmark::State& state, const std::string& keys, int status,
              std::size_t leastFileSize) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("realmsfall-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "standings.txt").string();
    testing::Discard nothing;
    std::ostream screen(&nothing);
    std::ostream complaints(&nothing);
    for (auto _ : state) {
        state.PauseTiming();
        std::ofstream(path, std::ios::binary | std::ios::trunc) << "0\n~\n";
        std::istringstream in(keys);
        Console console{in, screen, complaints};
        state.ResumeTiming();
        const int ended = runGame(console, path);
        state.PauseTiming();
        if (ended != status || std::filesystem::file_size(path) < leastFileSize) {
            state.SkipWithError("the run did not end as expected");
            state.ResumeTiming();
            break;
        }
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * keys.size()));
    std::filesystem::remove_all(folder);
}

// An 8 MiB name, then the input ends at the region prompt: the record is saved under that name.
void longName(benchmark::State& state) {
    std::string keys(EIGHT_MIB, 'N');
    keys.append("\n");
    timeRuns(state, keys, EXIT_INPUT_ENDED, EIGHT_MIB);
}

// An 8 MiB line at the first command prompt, refused, then the input ends.
void longCommandLine(benchmark::State& state) {
    std::string keys = "Ann\nPongi\nh\n";
    keys.append(EIGHT_MIB, '7').append("\n");
    timeRuns(state, keys, EXIT_INPUT_ENDED, 0);
}

// Three lost games, from the name to the last "no".
void threeGames(benchmark::State& state) {
    const std::string keys = readFile(THREE_GAMES_SCRIPT);
    if (keys.empty()) {
        state.SkipWithError("cannot read " THREE_GAMES_SCRIPT);
        return;
    }
    timeRuns(state, keys, 0, 0);
}

BENCHMARK(longName)->Unit(benchmark::kMillisecond);
BENCHMARK(longCommandLine)->Unit(benchmark::kMillisecond);
BENCHMARK(threeGames)->Unit(benchmark::kMillisecond);

} // namespace
