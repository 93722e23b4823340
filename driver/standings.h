#pragma once

#include "core/string.h"

#include <cstdint>
#include <optional>
#include <string>
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

// What the standings file holds besides the current player's own record.
struct Standings {
    std::int32_t seedCounter = 0;
    std::vector<PlayerRecord> others; // in file order
};

// Why a file could not be written, or nothing when it was.
using SaveFailure = std::optional<std::string>;

// A missing or empty file becomes one with counter 0 and no players.
SaveFailure ensureStandingsFile(const std::string& path);

// Looks the player's name up; when it has a record, fills in the five numbers and says so.
bool findPlayer(const std::string& path, PlayerRecord& player);

// The counter and every record but the named player's.
Standings loadStandings(const std::string& path, const String& playerName);

// Counts one game whose match ended with the computer at `computerPopulation`. Returns whether
// it was an overkill.
bool bookGame(PlayerRecord& player, std::int32_t computerPopulation);

// Rewrites the file: counter, the other records as read, then the player's record last.
SaveFailure writeStandings(const std::string& path, const Standings& standings,
                           const PlayerRecord& player);

// Replaces the file's content as one step: the text goes to a temporary file in the same folder,
// which is then renamed over the file. A crash or a full disk leaves the old file or the new one,
// never a part of either.
SaveFailure replaceFile(const std::string& path, const std::string& text);

// n + 1, where the largest number is followed by the smallest.
std::int32_t plusOne(std::int32_t n);

} // namespace realmsfall
