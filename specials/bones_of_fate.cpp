#include "cards/deck.h"
#include "core/random.h"
#include "match/orders.h"
#include "specials/menu.h"
#include "specials/specials.h"

#include <cassert>
#include <iterator>
#include <ostream>
#include <utility>

namespace realmsfall {

namespace {

// The die's six colours, equally likely: rand() % COLOURS.
enum Colour { RED, ORANGE, YELLOW, GREEN, BLUE, PURPLE, COLOURS };

// Blue fills each slot with rand() % BLUE_KINDS counted from the first kind of its class; the
// last of those values leaves the slot empty.
constexpr int BLUE_KINDS = 7;

// Purple drives rand() % DESERTION_SPREAD + DESERTION_BASE people from an idle kingdom.
constexpr std::int32_t DESERTION_BASE = 25000;
constexpr std::int32_t DESERTION_SPREAD = 25000;

// The weapon a green roll gives for each troop order: Dragons, unit of 5000, Griffons.
constexpr CardId WEAPONS[] = {CARD_DRAGONS, CARD_UNIT_OF_5000, CARD_GRIFFONS};

constexpr const char* YELLOW_TEXT =
    "yellow.\nA twist of fate causes the populations of your kingdoms to trade loyalties.\n";
constexpr const char* BLUE_TEXT =
    "blue.\nThe flighty whim of fate takes a hold of the units preparing for battle.\n";

// What the die did, for the narration: the colour, the enemy's defense and the caster's slots
// as they stood before it, and the people who left.
struct Roll {
    Colour colour;
    CardId enemyDefense;
    CardId gathering;
    CardId defense;
    std::int32_t deserters;
};

CardId blueSlot(CardId firstKind) {
    const int drawn = rand() % BLUE_KINDS;
    return drawn == BLUE_KINDS - 1 ? CARD_NOTHING : firstKind + drawn;
}

// Every colour but green, which arms the caster instead.
Roll applyColour(Colour colour, Kingdom& self, Kingdom& opp, std::int32_t& turn) {
    Roll roll{colour, opp.defense, self.gathering, self.defense, {}};
    switch (colour) {
    case RED:
        self.defense = CARD_SHIELDS_OF_FATE;
        break;
    case ORANGE: // the enemy's defense vanishes and the caster moves again at once
        opp.defense = CARD_NOTHING;
        ++turn;
        break;
    case YELLOW:
        std::swap(self.population, opp.population);
        break;
    case BLUE: // the caster's slots are drawn first
        self.gathering = blueSlot(CARD_FOOTMEN);
        opp.gathering = blueSlot(CARD_FOOTMEN);
        self.defense = blueSlot(CARD_PEASANTS);
        opp.defense = blueSlot(CARD_PEASANTS);
        break;
    default: // purple: the troops desert, or the people when there are no troops
        if (self.gathering == CARD_NOTHING && self.defense == CARD_NOTHING) {
            roll.deserters = rand() % DESERTION_SPREAD + DESERTION_BASE;
            self.population -= roll.deserters;
        }
        self.gathering = CARD_NOTHING;
        self.defense = CARD_NOTHING;
        break;
    }
    return roll;
}

// The report of a blue roll always speaks of the player's slots first.
void reportReshuffle(std::ostream& out, const Kingdom& player, const Kingdom& computer,
                     const CardNames& names) {
    out << BLUE_TEXT << "You are now gathering " << names[player.gathering]
        << " and defending with " << names[player.defense] << ".\n"
        << "You can see enemy " << names[computer.gathering] << " gathering and notice "
        << (computer.defense != CARD_NOTHING ? "defenses established.\n" : "nothing defending.\n");
}

// What each side's roll shows: the same colours, told to the player in other words.
struct RollTexts {
    const char* rolls;  // the die is seen
    const char* red;    // after "red.\n"
    const char* breach; // orange against a defense
    const char* open;   // orange against none
    const char* purple; // after "purple.\n"
};
constexpr RollTexts PLAYER_TEXTS = {
    "You roll the Bones of Fate and the die lands on the color ",
    "An impenetrable wall of magical shields forms around your gates.\n",
    "Your scouts report that the enemy defenses have mysteriously disappeared.  The\ndie gives "
    "you a chance to take advantage of your enemy's vulnerability.\n",
    "The die gives you another chance to exploit your enemy's lack of defenses.\n",
    "The whispers of dissention coarse through your population.\n"};
constexpr RollTexts COMPUTER_TEXTS = {
    "The horizon glows with a bright shade of ", "",
    "Your defenses mysteriously disappear and you wait to see if your opponent\ncapitalizes on "
    "this advantage.\n",
    "Your opponent tries to take advantage of your lack of defense.\n",
    "You notice people missing from the enemy camp.\n"};

const RollTexts& textsFor(char side) {
    return side == SIDE_PLAYER ? PLAYER_TEXTS : COMPUTER_TEXTS;
}

// Who left the player's kingdom on a purple roll.
void reportDesertion(std::ostream& out, const Roll& roll, const CardNames& names) {
    if (roll.gathering == CARD_NOTHING && roll.defense == CARD_NOTHING) {
        out << "You watch as " << roll.deserters << " people pack up and leave your kingdom.\n";
    } else if (roll.gathering == CARD_NOTHING) {
        out << "Your " << names[roll.defense]
            << " decide that they no longer wish to fight for you.\n";
    } else if (roll.defense == CARD_NOTHING) {
        out << "Your " << names[roll.gathering]
            << " decide that they no longer wish to fight for you.\n";
    } else {
        out << "Your " << names[roll.gathering] << " turn against your " << names[roll.defense]
            << " and fight until both are dead.\n";
    }
}

// The roll as the player sees it, whoever cast it; only the player hears who deserted.
void narrate(std::ostream& out, const Roll& roll, const Kingdom& player, const Kingdom& computer,
             const CardNames& names, char side) {
    const RollTexts& told = textsFor(side);
    out << told.rolls;
    switch (roll.colour) {
    case RED:
        out << "red.\n" << told.red;
        break;
    case ORANGE:
        out << "orange.\n" << (roll.enemyDefense != CARD_NOTHING ? told.breach : told.open);
        break;
    case YELLOW:
        out << YELLOW_TEXT;
        break;
    case BLUE:
        reportReshuffle(out, player, computer, names);
        break;
    default:
        out << "purple.\n" << told.purple;
        if (side == SIDE_PLAYER) {
            reportDesertion(out, roll, names);
        }
        break;
    }
}

CardId weaponFor(TroopOrder order) {
    assert(order >= 0 && static_cast<std::size_t>(order) < std::size(WEAPONS));
    return WEAPONS[order];
}

// Green arms the caster with the most potent weapon of a troop order, which the troop orders
// carry out and narrate exactly as if it had been played. The die is seen before the weapon is
// chosen. An attack without anything gathered has no effect, which the computer's rule never
// asks for.
CardId arm(Console& console, Kingdom& self, Kingdom& opp, const CardNames& names, MenuAnswer answer,
           char side) {
    console.out << textsFor(side).rolls << "green.\n";
    const TroopOrder order = chooseTroopOrder(
        console, self,
        "The die gives you the choice between the most potent weapons in the world.\n",
        {"Dragons", "unit of 5000", "Griffons"}, "Select a unit: ", answer, side);
    const Conjured armed = conjureTroop(console, self, opp, order, weaponFor, names, side);
    if (armed.fizzled) {
        console.out << "\nAs you have no units being gathered, the die has no effect.\n";
    }
    return armed.replacement;
}

} // namespace

CardId bonesOfFate(Console& console, Kingdom& self, Kingdom& opp, std::int32_t& turn,
                   const CardNames& cardNames, MenuAnswer answer, char side) {
    const auto colour = static_cast<Colour>(rand() % COLOURS);
    if (colour == GREEN) {
        return arm(console, self, opp, cardNames, answer, side);
    }
    const Roll roll = applyColour(colour, self, opp, turn);
    const auto [playerKingdom, computerKingdom] = actingFirst(side, self, opp);
    narrate(console.out, roll, playerKingdom, computerKingdom, cardNames, side);
    return drawCard();
}

} // namespace realmsfall
