// Whole runs of the built game, each a child process in a folder of its own reading its keys
// from a file, timed by the CPU time the child used; the most memory it held is shown beside.
// Yardsticks run the same way (bench/yardsticks.cpp): the plainest programs that copy the same
// bytes, write the same screen with the same flushes, or save the same standings file.
#include "bench/child.h"
#include "core/console.h"
#include "driver/complaints.h"
#include "driver/game.h"
#include "tests/support.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

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

// A screen that keeps what it is shown, and where it was flushed.
struct RecordedScreen : std::stringbuf {
    std::vector<std::string> pieces;
    std::size_t flushed = 0;
    int sync() override {
        if (str().size() > flushed) {
            pieces.push_back(str().substr(flushed));
            flushed = str().size();
        }
        return 0;
    }
};

// A run of `keys` in-process from a fresh standings file, its screen recorded as the real one
// would be flushed: the keyboard is tied to it. Returns the keys the run took; the file as the
// run left it goes to `saved`, when given.
std::string recordRun(const std::string& keys, RecordedScreen& screen,
                      std::string* saved = nullptr) {
    const Scratch scratch("record");
    write(scratch.at("standings.txt"), "0\n~\n");
    std::ostream out(&screen);
    std::ostringstream complaints;
    std::istringstream in(keys);
    in.tie(&out);
    Console console{in, out, complaints};
    runGame(console, scratch.at("standings.txt").string());
    out.flush(); // as at the end of the program
    in.clear();
    if (saved != nullptr) {
        std::ifstream file(scratch.at("standings.txt"), std::ios::binary);
        *saved = std::string(std::istreambuf_iterator<char>(file), {});
    }
    return keys.substr(0, static_cast<std::size_t>(in.tellg()));
}

// The keys of a session of `games` games lost by discarding, seeded 0, 1, ...
std::string lostGames(int games) {
    std::string session = "Ann\n";
    for (int game = 0; game < games; ++game) {
        RecordedScreen ignored;
        const std::string taken = recordRun(session + testing::LOSING_GAME, ignored);
        session = taken.substr(0, taken.size() - 1) + (game + 1 < games ? "y\n" : "n\n");
    }
    return session;
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
            bench::runChild(YARDSTICKS, arguments, scratch.folder, scratch.at("keys").string());
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

const std::string NEWCOMER = "Newcomer";

// A new player's one lost game.
std::string newcomersGame() {
    std::string keys = lostGames(1);
    return keys.replace(0, keys.find('\n'), NEWCOMER);
}

// A new player's one game against a file of a million players: read at the start, merged and
// saved at the end.
void millionPlayerGame(benchmark::State& state) {
    timeChild(state, {GAME}, millionPlayers(), newcomersGame(), 0);
    setFileSize(state, millionPlayers());
}

// Writes the pieces as `yardsticks writes` reads them: each one's length as 8 bytes, then it.
void writePieces(const fs::path& path, const std::vector<std::string>& pieces) {
    std::string file;
    for (const std::string& piece : pieces) {
        const std::uint64_t length = piece.size();
        file.append(reinterpret_cast<const char*>(&length), sizeof length).append(piece);
    }
    write(path, file);
}

// Its floor: the same keys read, the same file read whole and its lines scanned once, each
// record's numbers checked by their characters; the same screen written with the same flushes;
// the file written back with the other records as they stand and the player's record last,
// through a synced temporary file renamed over it, the folder synced.
void millionPlayerPlainSave(benchmark::State& state) {
    RecordedScreen screen;
    std::string saved;
    const std::string keys = newcomersGame();
    recordRun(keys, screen, &saved);
    const std::size_t closing = saved.rfind("~\n"); // the player's record stands just before
    const std::size_t start = saved.rfind('\n', closing - 2) + 1;
    const std::string record = saved.substr(start, closing - 1 - start);
    const Scratch scratch("screen");
    writePieces(scratch.at("pieces"), screen.pieces);
    timeChild(
        state,
        {YARDSTICKS, "save", "standings.txt", NEWCOMER, record, scratch.at("pieces").string()},
        millionPlayers(), keys, 0);
    setFileSize(state, millionPlayers());
}

constexpr int SESSION_GAMES = 10;

// A session of ten lost games, the screen going to /dev/null.
void tenGames(benchmark::State& state) {
    timeChild(state, {GAME}, {}, lostGames(SESSION_GAMES), 0);
}

// Its yardstick: the same screen, written in the same pieces.
void tenGamesScreenWrites(benchmark::State& state) {
    RecordedScreen screen;
    recordRun(lostGames(SESSION_GAMES), screen);
    const Scratch scratch("pieces");
    writePieces(scratch.at("pieces"), screen.pieces);
    timeChild(state, {YARDSTICKS, "writes", scratch.at("pieces").string()}, {}, "", 0);
    state.counters["writes"] = static_cast<double>(screen.pieces.size());
}

const std::string LONG_NAME = std::string(EIGHT_MIB, 'N') + "\n";

// An 8 MiB name, then the input ends at the region prompt.
void longName(benchmark::State& state) {
    timeChild(state, {GAME}, {}, LONG_NAME, EXIT_INPUT_ENDED);
}

// Its yardstick: the same bytes read and written in blocks.
void longNameCopied(benchmark::State& state) {
    timeChild(state, {YARDSTICKS, "copy"}, {}, LONG_NAME, 0);
}

// Its floor: the same bytes held in memory that fits them exactly, as a name is, then written.
void longNameKept(benchmark::State& state) {
    timeChild(state, {YARDSTICKS, "keep"}, {}, LONG_NAME, 0);
}

// An 8 MiB line at the first command prompt, refused, then the input ends.
void longCommandLine(benchmark::State& state) {
    timeChild(state, {GAME}, {}, "Ann\nPongi\nh\n" + std::string(EIGHT_MIB, '7') + "\n",
              EXIT_INPUT_ENDED);
}

// Three lost games, from the name to the last "no".
void threeGames(benchmark::State& state) {
    timeChild(state, {GAME}, {}, lostGames(3), 0);
}

BENCHMARK(millionPlayerGame)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(millionPlayerPlainSave)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(tenGames)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(tenGamesScreenWrites)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(longName)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(longNameCopied)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(longNameKept)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(longCommandLine)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(threeGames)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
