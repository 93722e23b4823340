#include "specials/menu.h"

#include <cassert>
#include <ostream>

namespace realmsfall {

int chooseFromMenu(Console& console, const char* opening, const MenuEntries& entries,
                   const char* prompt) {
    console.out << opening;
    int number = 1;
    for (const char* entry : entries) {
        console.out << number++ << ". " << entry << '\n';
    }
    console.out << prompt;
    const int choice = readChoice(console, MENU_CHOICES);
    assert(choice < MENU_CHOICES);
    return choice;
}

} // namespace realmsfall
