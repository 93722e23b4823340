#include "match/command.h"

#include <charconv>
#include <iterator>
#include <ostream>
#include <string>

namespace realmsfall {

namespace {

// The commands below DISCARD_COMMAND play the card in that hand position; the last one throws a
// card away instead (shown as 14).
constexpr int DISCARD_COMMAND = HAND_SIZE;
static_assert(DISCARD_COMMAND == COMMAND_COUNT - 1, "a command for each position, then discard");

constexpr int NAME_WIDTH = 20;
constexpr int LEFT_ROWS = 7;

// One entry of the hand list: its number and the card's name in a column of NAME_WIDTH.
void appendEntry(std::string& list, int number, const String& name) {
    char digits[sizeof "14"];
    list.append(digits, std::to_chars(std::begin(digits), std::end(digits), number).ptr);
    list += ". ";
    appendField(list, name, NAME_WIDTH);
}

// The sorted hand in two columns, with the discard line under them, put together and then
// written at once.
void listHand(std::ostream& out, const Hand& hand, const CardNames& cardNames) {
    std::string list;
    for (int row = 1; row < LEFT_ROWS; ++row) {
        appendEntry(list, row, nameOf(cardNames, hand[row - 1]));
        list += "\t\t";
        appendEntry(list, row + LEFT_ROWS, nameOf(cardNames, hand[row + LEFT_ROWS - 1]));
        list += '\n';
    }
    appendEntry(list, LEFT_ROWS, nameOf(cardNames, hand[LEFT_ROWS - 1]));
    list += "\t\t14. Discard an unwanted unit\n";
    out << list;
}

} // namespace

Move enterCommand(Console& console, const Hand& hand, CardId gathering, const CardNames& cardNames,
                  std::optional<Move> given) {
    listHand(console.out, hand, cardNames);
    console.out << "Enter the number of the unit you wish to command: ";
    if (given) {
        if (given->kind == Move::PLAY) {
            giveChoice(console, given->position);
            return *given;
        }
        giveChoice(console, DISCARD_COMMAND);
        console.out << "Discard which unit? ";
        return {Move::DISCARD, giveChoice(console, given->position)};
    }
    int command = readCommand(console);
    while (command != DISCARD_COMMAND && isAmount(cardAt(hand, command)) &&
           gathering == CARD_NOTHING) {
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
