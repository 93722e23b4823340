#include "specials/menu.h"

#include "cards/deck.h"

#include <cassert>
#include <ostream>

namespace realmsfall {

int chooseFromMenu(Console& console, const char* opening, const MenuEntries& entries,
                   const char* prompt, MenuAnswer answer) {
    console.out << opening;
    int number = 1;
    for (const char* entry : entries) {
        console.out << number++ << ". " << entry << '\n';
    }
    console.out << prompt;
    const int choice = answer ? giveChoice(console, *answer) : readChoice(console, MENU_CHOICES);
    assert(choice < MENU_CHOICES);
    return choice;
}

int computerThievesTask(const Kingdom& opp) {
    if (opp.gathering != CARD_NOTHING) {
        return 0; // disperse
    }
    return opp.defense == CARD_NOTHING ? 2 : 1; // census, or break the defense
}

int computerClericsTask(int roll) {
    constexpr int CONVERT_BELOW = 4;
    constexpr int RESURRECT_BELOW = 8;
    if (roll < CONVERT_BELOW) {
        return 0;
    }
    return roll < RESURRECT_BELOW ? 2 : 1;
}

TroopOrder chooseTroopOrder(Console& console, const Kingdom& self, const char* opening,
                            const MenuEntries& entries, const char* prompt, MenuAnswer answer,
                            char side) {
    if (side == SIDE_PLAYER) {
        return static_cast<TroopOrder>(chooseFromMenu(console, opening, entries, prompt, answer));
    }
    return answer ? static_cast<TroopOrder>(*answer) : computerTroopOrder(self);
}

Conjured conjureTroop(Console& console, Kingdom& self, Kingdom& opp, TroopOrder order,
                      CardId (*troopFor)(TroopOrder), const CardNames& cardNames, char side) {
    if (order == ATTACK_ORDER && self.gathering == CARD_NOTHING) {
        return {drawCard(), true};
    }
    return {playTroopCard(console, self, opp, troopFor(order), cardNames, side), false};
}

} // namespace realmsfall
