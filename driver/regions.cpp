#include "driver/regions.h"

#include "core/random.h"

#include <cctype>
#include <istream>
#include <ostream>
#include <string>

namespace realmsfall {

void fillRegionTable(RegionTable& table) {
    static const char* const names[REGION_COUNT] = {
        "Dragonridge", "Evermist", "Darkmire", "Talonguard", "Aldwynn",
        "Derimere",    "Goldlund", "Pongi",    "Beremont",   "Soltanu",
    };
    for (int i = 0; i < REGION_COUNT; ++i) {
        String lower;
        for (const char* c = names[i]; *c != '\0'; ++c) {
            lower += static_cast<char>(std::tolower(static_cast<unsigned char>(*c)));
        }
        table[i] = String(names[i]);
        table[REGION_COUNT + i] = lower;
        table[2 * REGION_COUNT + i] = String(std::to_string(i + 1).c_str());
    }
}

void listRegions(std::ostream& out, const RegionTable& table) {
    for (int i = 0; i < REGION_COUNT; ++i) {
        out << i + 1 << ". " << table[i];
        endLine(out);
    }
}

int promptRegion(Console& console, const RegionTable& table) {
    String word;
    for (;;) {
        console.out << "Your region? ";
        requireWord(console, word);
        dropLine(console);
        for (int k = 0; k < REGION_TABLE_SIZE; ++k) {
            if (word == table[k]) {
                return k % REGION_COUNT;
            }
        }
        console.out << "Region name invalid, please re-enter.\n";
    }
}

int drawComputerRegion(int playerRegion) {
    int region = rand() % REGION_COUNT;
    while (region == playerRegion) {
        region = rand() % REGION_COUNT;
    }
    return region;
}

} // namespace realmsfall
