#include "cards/cards.h"

#include <iterator>

namespace realmsfall {

namespace {

constexpr const char* NAMES[] = {
    "Footmen",         "Archers",       "Knights",      "Mages",        "Seige Towers",
    "Dragons",         "unit of 100 ",  "unit of 300 ", "unit of 500 ", "unit of 1000 ",
    "unit of 2500 ",   "unit of 5000 ", "Peasants",     "Pikemen",      "Rangers",
    "Paladins",        "Ballistas",     "Griffons",     "Thieves",      "Divine Intervention",
    "Clerics",         "nothing",       "Avatars",      "Time Twist",   "Bones of Fate",
    "Shields of Fate", "Summoners",
};
static_assert(std::size(NAMES) == CARD_KIND_COUNT, "one name for every kind of card");
static_assert(CARD_KIND_COUNT <= CARD_NAME_SLOTS);

} // namespace

void fillCardNames(CardNames& cardNames) {
    CardId id = 0;
    for (const char* const name : NAMES) {
        cardNames[id++] = String(name);
    }
}

String defenseLabel(CardId defense) {
    return String(defense == CARD_NOTHING ? "nothing" : "Established");
}

} // namespace realmsfall
