// Any bytes as the content of the standings file, then a run in which Ann plays one game by
// discarding until one side falls. A file the game refuses must stay as it was; a file it
// accepts must be written back with Ann's game added to the records as they read, in a form
// that reads back to the same records.
#include "driver/standings.h"
#include "fuzz_support.h"

#include <cstddef>
#include <cstdint>
#include <string>

using namespace realmsfall;

namespace {

// A name, then the discarding game of the tests: enough for one side to fall from any seed.
// What is left over answers the play-again question with a no.
const std::string LOSING_RUN = "Ann\n" + fuzzing::LOSING_GAME;

// The file the write back makes of `text` for Ann and `tally`.
std::string writtenBack(const std::string& text, const RunTally& tally) {
    std::string out;
    const auto damage = writeBack(text, "Ann", tally, [&out](std::string_view p) { out += p; });
    fuzzing::require(!damage, "a file the game accepted reads as damaged");
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string file(reinterpret_cast<const char*>(data), size);
    fuzzing::resetStandings(file);
    const int status = fuzzing::playRun(LOSING_RUN);
    const std::string now = fuzzing::currentFile();
    if (status == EXIT_DAMAGED_STANDINGS) {
        fuzzing::require(now == file, "a refused standings file was changed");
        return 0;
    }
    fuzzing::require(status == 0, "the lost game did not end the run normally");
    // Most seeds lose the game; some win it without an attack, a few by an overkill.
    const bool asBooked =
        now == writtenBack(file, {.losses = 1, .games = 1, .seeded = 1}) ||
        now == writtenBack(file, {.wins = 1, .games = 1, .seeded = 1}) ||
        now == writtenBack(file, {.wins = 1, .games = 1, .overkills = 1, .seeded = 1});
    fuzzing::require(asBooked, "the saved file lost or changed a record");
    fuzzing::require(writtenBack(now, RunTally{}) == now,
                     "the saved file does not read back to the same records");
    return 0;
}
