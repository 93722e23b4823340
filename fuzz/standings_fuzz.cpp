// Any bytes as the content of the standings file, then a run in which Ann loses one game by
// discarding until the computer wins. A file the game refuses must stay as it was; a file it
// accepts must be written back in a form that the next run accepts too.
#include "driver/standings_check.h"
#include "fuzz_support.h"

#include <cstddef>
#include <cstdint>
#include <iterator>

using namespace realmsfall;

namespace {

// Region, coin call, then turns spent discarding the first card: enough for the computer to win
// from any seed. What is left over answers the play-again question with a no.
const std::string LOSING_RUN = [] {
    std::string keys = "Ann\nPongi\nh\n";
    for (int turn = 0; turn < 300; ++turn) {
        keys += "\n\n\n\n14\n1\n";
    }
    return keys;
}();

std::string currentFile() {
    std::ifstream in(fuzzing::standingsPath(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string file(reinterpret_cast<const char*>(data), size);
    fuzzing::resetStandings(file);
    const int status = fuzzing::playRun(LOSING_RUN);
    if (status == EXIT_DAMAGED_STANDINGS) {
        fuzzing::require(currentFile() == file, "a refused standings file was changed");
        return 0;
    }
    fuzzing::require(status == 0, "the lost game did not end the run normally");
    fuzzing::require(!checkStandingsFile(fuzzing::standingsPath()),
                     "the run left a standings file that the next run refuses");
    return 0;
}
