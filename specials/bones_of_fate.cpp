#include "cards/deck.h"
#include "core/random.h"
#include "match/orders.h"
#include "specials/specials.h"

#include <ostream>
#include <utility>

namespace realmsfall {

namespace {

enum Colour { RED, ORANGE, YELLOW, GREEN, BLUE, PURPLE };

// The weapon a green roll offers for each troop order: Dragons, unit of 5000, Griffons.
constexpr CardId WEAPONS[] = {CARD_DRAGONS, CARD_UNIT_OF_5000, CARD_GRIFFONS};

constexpr const char* YELLOW_TEXT =
    "yellow.\nA twist of fate causes the populations of your kingdoms to trade loyalties.\n";
constexpr const char* BLUE_TEXT =
    "blue.\nThe flighty whim of fate takes a hold of the units preparing for battle.\n";

void raiseShields(std::ostream& out, Kingdom& self, char side) {
    out << (side == SIDE_PLAYER
                ? "red.\nAn impenetrable wall of magical shields forms around your gates.\n"
                : "red.\n");
    self.defense = CARD_SHIELDS_OF_FATE;
}

// The enemy's defense vanishes and the roller moves again at once.
void seizeTheMoment(std::ostream& out, Kingdom& opp, std::int32_t& turn, char side) {
    out << "orange.\n";
    const bool defended = opp.defense != CARD_NOTHING;
    if (side == SIDE_PLAYER) {
        out << (defended ? "Your scouts report that the enemy defenses have mysteriously "
                           "disappeared.  The\ndie gives you a chance to take advantage of your "
                           "enemy's vulnerability.\n"
                         : "The die gives you another chance to exploit your enemy's lack of "
                           "defenses.\n");
    } else {
        out << (defended ? "Your defenses mysteriously disappear and you wait to see if your "
                           "opponent\ncapitalizes on this advantage.\n"
                         : "Your opponent tries to take advantage of your lack of defense.\n");
    }
    opp.defense = CARD_NOTHING;
    ++turn;
}

void tradePopulations(std::ostream& out, Kingdom& self, Kingdom& opp) {
    out << YELLOW_TEXT;
    std::swap(self.population, opp.population);
}

CardId playerWeapon(Console& console) {
    console.out << "The die gives you the choice between the most potent weapons in the world.\n"
                << "1. Dragons\n"
                << "2. unit of 5000\n"
                << "3. Griffons\n"
                << "Select a unit: ";
    return WEAPONS[readChoice(console, 3)];
}

// The chosen weapon is carried out by the troop orders exactly as if it had been played.
CardId chooseWeapon(Console& console, Kingdom& self, Kingdom& opp, const CardNames& names,
                    char side) {
    console.out << "green.\n";
    if (side != SIDE_PLAYER) {
        return playTroopCard(console, self, opp, WEAPONS[computerTroopOrder(self)], names, side);
    }
    const CardId weapon = playerWeapon(console);
    if (weapon == CARD_UNIT_OF_5000 && self.gathering == CARD_NOTHING) {
        console.out << "\nAs you have no units being gathered, the die has no effect.\n";
        return drawCard();
    }
    return playTroopCard(console, self, opp, weapon, names, side);
}

CardId emptiedAt(CardId slot, CardId emptyValue) {
    return slot == emptyValue ? CARD_NOTHING : slot;
}

// Re-draws all four slots; the report always speaks of the player's slots first.
void reshuffleSlots(std::ostream& out, Kingdom& self, Kingdom& opp, const CardNames& names,
                    char side) {
    out << BLUE_TEXT;
    self.gathering = rand() % 7;
    opp.gathering = rand() % 7;
    self.defense = rand() % 7 + CARD_PEASANTS;
    opp.defense = rand() % 7 + CARD_PEASANTS;
    for (Kingdom* k : {&self, &opp}) {
        k->gathering = emptiedAt(k->gathering, 6);
        k->defense = emptiedAt(k->defense, 18);
    }
    const Kingdom& player = side == SIDE_PLAYER ? self : opp;
    const Kingdom& computer = side == SIDE_PLAYER ? opp : self;
    out << "You are now gathering " << names[player.gathering] << " and defending with "
        << names[player.defense] << ".\n"
        << "You can see enemy " << names[computer.gathering] << " gathering and notice "
        << (computer.defense != CARD_NOTHING ? "defenses established.\n" : "nothing defending.\n");
}

std::int32_t desertion() {
    return rand() % 25000 + 25000;
}

void playerDesertion(std::ostream& out, Kingdom& self, const CardNames& names) {
    out << "purple.\nThe whispers of dissention coarse through your population.\n";
    const bool gathering = self.gathering != CARD_NOTHING;
    const bool defended = self.defense != CARD_NOTHING;
    if (!gathering && !defended) {
        const std::int32_t loss = desertion();
        self.population -= loss;
        out << "You watch as " << loss << " people pack up and leave your kingdom.\n";
    } else if (!gathering) {
        out << "Your " << names[self.defense]
            << " decide that they no longer wish to fight for you.\n";
    } else if (!defended) {
        out << "Your " << names[self.gathering]
            << " decide that they no longer wish to fight for you.\n";
    } else {
        out << "Your " << names[self.gathering] << " turn against your " << names[self.defense]
            << " and fight until both are dead.\n";
    }
    self.gathering = CARD_NOTHING;
    self.defense = CARD_NOTHING;
}

void computerDesertion(std::ostream& out, Kingdom& self) {
    out << "purple.\nYou notice people missing from the enemy camp.\n";
    if (self.gathering == CARD_NOTHING && self.defense == CARD_NOTHING) {
        self.population -= desertion();
    }
    self.gathering = CARD_NOTHING;
    self.defense = CARD_NOTHING;
}

} // namespace

CardId bonesOfFate(Console& console, Kingdom& self, Kingdom& opp, std::int32_t& turn,
                   const CardNames& cardNames, char side) {
    const int colour = rand() % 6;
    std::ostream& out = console.out;
    const bool player = side == SIDE_PLAYER;
    out << (player ? "You roll the Bones of Fate and the die lands on the color "
                   : "The horizon glows with a bright shade of ");
    switch (colour) {
    case RED:
        raiseShields(out, self, side);
        break;
    case ORANGE:
        seizeTheMoment(out, opp, turn, side);
        break;
    case YELLOW:
        tradePopulations(out, self, opp);
        break;
    case GREEN:
        return chooseWeapon(console, self, opp, cardNames, side);
    case BLUE:
        reshuffleSlots(out, self, opp, cardNames, side);
        break;
    default:
        if (player) {
            playerDesertion(out, self, cardNames);
        } else {
            computerDesertion(out, self);
        }
        break;
    }
    return drawCard();
}

} // namespace realmsfall
