// Any bytes as the content of the standings file, then a run in which Ann loses one game by
// discarding until the computer wins. A file the game refuses must stay as it was; a file it
// accepts must be written back in a form that the next run accepts too, with every other
// player's record still in it.
#include "driver/standings.h"
#include "driver/standings_check.h"
#include "fuzz_support.h"

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <sstream>
#include <string>

using namespace realmsfall;

namespace {

// A name, then the lost game of the tests: enough for the computer to win from any seed. What
// is left over answers the play-again question with a no.
const std::string LOSING_RUN = "Ann\n" + testing::LOSING_GAME;

std::string currentFile() {
    std::ifstream in(fuzzing::standingsPath(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// How many lines between the counter and the first line whose first word is "~" belong to
// players other than Ann, counted from the raw text; none when the file is started afresh.
std::size_t otherRecords(const std::string& file) {
    std::istringstream whole(file);
    std::string counter;
    whole >> counter;
    if (!whole.good()) {
        return 0; // the file is started afresh
    }
    std::size_t count = 0;
    std::istringstream lines(file);
    std::string line;
    std::getline(lines, line); // the counter
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string first;
        words >> first;
        if (first == "~") {
            break;
        }
        count += first != "Ann";
    }
    return count;
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
    fuzzing::require(loadStandings(fuzzing::standingsPath(), "Ann").others.size() ==
                         otherRecords(file),
                     "another player's record was lost");
    return 0;
}
