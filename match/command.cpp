#include "match/command.h"

#include <iomanip>
#include <ostream>

namespace realmsfall {

namespace {

// The command that throws a card away instead of playing one (shown as 14).
constexpr int DISCARD_COMMAND = 13;

constexpr int NAME_WIDTH = 20;
constexpr int LEFT_ROWS = 7;

// The sorted hand in two columns, with the discard line under them.
void listHand(std::ostream& out, const Hand& hand, const CardNames& cardNames) {
    for (int row = 1; row < LEFT_ROWS; ++row) {
        out << row << ". " << std::setw(NAME_WIDTH) << cardNames[hand[row - 1]] << "\t\t"
            << row + LEFT_ROWS << ". " << std::setw(NAME_WIDTH)
            << cardNames[hand[row + LEFT_ROWS - 1]] << '\n';
    }
    out << LEFT_ROWS << ". " << std::setw(NAME_WIDTH) << cardNames[hand[LEFT_ROWS - 1]]
        << "\t\t14. Discard an unwanted unit\n";
}

} // namespace

Move enterCommand(Console& console, const Hand& hand, CardId gathering,
                  const CardNames& cardNames) {
    listHand(console.out, hand, cardNames);
    console.out << "Enter the number of the unit you wish to command: ";
    int command = readCommand(console);
    while (command != DISCARD_COMMAND && isAmount(hand[command]) && gathering == CARD_NOTHING) {
        console.out << "\nYou cannot select and amount of units without choosing a unit\n"
                    << "to gather in a prior turn.\nPlease select another unit number: ";
        command = readCommand(console);
    }
    if (command != DISCARD_COMMAND) {
        return {Move::PLAY, command};
    }
    console.out << "Discard which unit? ";
    return {Move::DISCARD, readChoice(console, HAND_SIZE)};
}

} // namespace realmsfall
