#pragma once

// The records of "standings.txt" as the game reads and writes them. Everything here works on the
// file's bytes, read once; opening, locking and saving the file is the business of
// standings_file.h.
#include "core/string.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace realmsfall {

struct PlayerRecord {
    String name;
    std::int32_t wins = 0;
    std::int32_t losses = 0;
    std::int32_t percent = 0;
    std::int32_t games = 0;
    std::int32_t overkills = 0;
};

// The numbers of a record in the order its line holds them, after the name.
constexpr std::array<std::int32_t PlayerRecord::*, 5> RECORD_NUMBERS = {
    &PlayerRecord::wins, &PlayerRecord::losses, &PlayerRecord::percent, &PlayerRecord::games,
    &PlayerRecord::overkills};

// What one run adds to its player's record. The write back adds it to the record as the file
// holds it then, so that runs side by side each keep their games.
struct RunTally {
    std::int32_t wins = 0;
    std::int32_t losses = 0;
    std::int32_t games = 0;
    std::int32_t overkills = 0;
    std::int32_t seeded = 0; // games begun, finished or not: each took the counter's next seed
};

// Where the file's reading breaks, and how: line 1 is the counter's.
struct StandingsDamage {
    std::int64_t line;
    std::string what;
};

// What the file tells the game about one player.
struct PlayerStandings {
    std::int32_t seedCounter{};
    bool found = false;  // a record stands under the player's name
    PlayerRecord record; // its numbers when found, zeros otherwise; the name is the caller's
};

// The content of a file without players, which a missing or empty file is started as.
constexpr std::string_view FRESH_STANDINGS = "0\n~\n";

// A missing or empty file, or one whose first word runs to its very end, is started afresh.
bool startsAfresh(std::string_view text);

// Where the file's content ends, as far as any reading of it goes: just past the first "~" after
// the counter that stands first on its line, and the blank after it. No reading goes past such a
// line, so the rest of the file need not be read. Nothing while the text read so far holds no such
// line; `scan` keeps how far the text was looked at, so that each byte is looked at once as more is
// read.
struct EndScan {
    std::size_t at = 0;
    bool lineRuledOut = false; // the line at `at` begins with another word
    bool pastCounter = false;  // the first word, the counter, has been passed
};
std::optional<std::size_t> endOfStandings(std::string_view text, EndScan& scan);

// Damage that no player's name can read past: a first word that the counter cannot be read
// from. Nothing for a file that starts afresh.
std::optional<StandingsDamage> counterDamage(std::string_view text);

// Looks the player up and reads the counter. A name's record is the first one found under it,
// and the records of everybody else must read up to the closing "~"; what follows it is never
// read.
std::variant<PlayerStandings, StandingsDamage> readStandings(std::string_view text,
                                                             const String& name);

// Every record and the counter, as the load reads the file for no player in particular.
struct AllStandings {
    std::int32_t seedCounter{};
    std::vector<PlayerRecord> records; // in file order
};
std::variant<AllStandings, StandingsDamage> readAllStandings(std::string_view text);

// A game begun takes the counter's next number as its seed: the counter moves on (the largest
// number is followed by the smallest), and the run counts one more game seeded.
void countSeeded(RunTally& tally, std::int32_t& seedCounter);

// Counts one game whose match ended with the computer at `computerPopulation`. Returns whether
// it was an overkill.
bool bookGame(RunTally& tally, std::int32_t computerPopulation);

// The record's numbers with a run's games added, percent worked out anew once games were added;
// the name is left out.
PlayerRecord withGames(const PlayerRecord& record, const RunTally& tally);

// The new content of the file, handed to `write` piece by piece: the counter advanced by the
// games the run seeded, every other player's record as the file holds it now, then the player's
// record as found now with the run's games added, and the closing "~". When the file has been
// damaged meanwhile, the damage; what was handed to `write` must then be thrown away.
std::optional<StandingsDamage> writeBack(std::string_view text, const String& name,
                                         const RunTally& tally,
                                         const std::function<void(std::string_view)>& write);

} // namespace realmsfall
