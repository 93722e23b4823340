#include "match/command.h"

#include <iomanip>
#include <ostream>

namespace realmsfall {

namespace {

constexpr int NAME_WIDTH = 20;
constexpr int LEFT_ROWS = 7;

} // namespace

void listHand(std::ostream& out, const Hand& hand, const CardNames& cardNames) {
    for (int row = 1; row < LEFT_ROWS; ++row) {
        out << row << ". " << std::setw(NAME_WIDTH) << cardNames[hand[row - 1]] << "\t\t"
            << row + LEFT_ROWS << ". " << std::setw(NAME_WIDTH)
            << cardNames[hand[row + LEFT_ROWS - 1]] << '\n';
    }
    out << LEFT_ROWS << ". " << std::setw(NAME_WIDTH) << cardNames[hand[LEFT_ROWS - 1]]
        << "\t\t14. Discard an unwanted unit\n";
}

int enterCommand(Console& console, const Hand& hand, CardId gathering, const CardNames& cardNames) {
    listHand(console.out, hand, cardNames);
    console.out << "Enter the number of the unit you wish to command: ";
    int command = readCommand(console);
    while (command != DISCARD_COMMAND && isAmount(hand[command]) && gathering == CARD_NOTHING) {
        console.out << "\nYou cannot select and amount of units without choosing a unit\n"
                    << "to gather in a prior turn.\nPlease select another unit number: ";
        command = readCommand(console);
    }
    return command;
}

} // namespace realmsfall
