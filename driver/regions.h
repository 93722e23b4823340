#pragma once

#include "core/console.h"
#include "core/string.h"

#include <array>
#include <iosfwd>

namespace realmsfall {

constexpr int REGION_COUNT = 10;

// Three blocks of ten: display names, lower-case names, numbers "1" to "10". Entry k stands
// for region k mod 10.
constexpr int REGION_TABLE_SIZE = 3 * REGION_COUNT;
using RegionTable = std::array<String, REGION_TABLE_SIZE>;

void fillRegionTable(RegionTable& table);

// The ten regions, numbered from 1.
void listRegions(std::ostream& out, const RegionTable& table);

// Asks until the first word typed names a region; returns its index 0 to 9.
int promptRegion(Console& console, const RegionTable& table);

// The computer's region, drawn until it differs from the player's.
int drawComputerRegion(int playerRegion);

} // namespace realmsfall
