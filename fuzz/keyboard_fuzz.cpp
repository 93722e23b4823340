// Any bytes as the keyboard input of a whole run, from the name prompt on, against a fresh
// standings file. The run must come back by itself, end normally or at the end of the input, and
// leave a standings file that the next run reads.
#include "driver/standings.h"
#include "fuzz_support.h"

#include <cstddef>
#include <cstdint>

using namespace realmsfall;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::resetStandings("0\n~\n");
    const int status = fuzzing::playRun(std::string(reinterpret_cast<const char*>(data), size));
    fuzzing::require(status == 0 || status == EXIT_INPUT_ENDED, "unexpected exit status");
    // Read for a name that no record has, every record is read.
    fuzzing::require(
        std::holds_alternative<PlayerStandings>(readStandings(fuzzing::currentFile(), String())),
        "the run left a standings file that does not read back");
    return 0;
}
