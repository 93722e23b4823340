#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace realmsfall {

// What is wrong with a standings file, and where.
struct StandingsDamage {
    std::int64_t line; // 0 when the file as a whole cannot be read
    std::string what;
};

// Reads the whole file and checks that it has the layout the game writes: the counter, one
// record per line, then "~". Line ends may be CRLF, the last newline may be missing, and
// whatever follows "~" is ignored. A missing file passes, and so does one whose first word
// already reaches its end: both are started afresh.
std::optional<StandingsDamage> checkStandingsFile(const std::string& path);

// The one line of complaint: the file, the line and what is wrong there.
std::string describe(const std::string& path, const StandingsDamage& damage);

} // namespace realmsfall
