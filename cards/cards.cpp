#include "cards/cards.h"

namespace realmsfall {

void fillCardNames(CardNames& cardNames) {
    static const char* const names[] = {
        "Footmen",         "Archers",       "Knights",      "Mages",        "Seige Towers",
        "Dragons",         "unit of 100 ",  "unit of 300 ", "unit of 500 ", "unit of 1000 ",
        "unit of 2500 ",   "unit of 5000 ", "Peasants",     "Pikemen",      "Rangers",
        "Paladins",        "Ballistas",     "Griffons",     "Thieves",      "Divine Intervention",
        "Clerics",         "nothing",       "Avatars",      "Time Twist",   "Bones of Fate",
        "Shields of Fate", "Summoners",
    };
    CardId id = 0;
    for (const char* const name : names) {
        cardNames[id++] = String(name);
    }
}

String defenseLabel(CardId defense) {
    return String(defense == CARD_NOTHING ? "nothing" : "Established");
}

} // namespace realmsfall
