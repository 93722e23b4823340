#include "cards/deck.h"
#include "core/random.h"
#include "specials/specials.h"

#include <ostream>

namespace realmsfall {

namespace {

constexpr int DISPERSE_CHANCE = 33;
constexpr int BREAK_CHANCE = 50;
constexpr int CENSUS_CHANCE = 66;

enum Task { DISPERSE, BREAK_DEFENSES, CENSUS };

void playerSendsThieves(Console& console, Kingdom& opp, const CardNames& names) {
    std::ostream& out = console.out;
    out << "You call upon thieves to do your dirty work.\n"
        << "1. Disperse gathering\n"
        << "2. Break defenses\n"
        << "3. Count population\n"
        << "Select a task: ";
    switch (readChoice(console, 3)) {
    case DISPERSE:
        out << "You send your thieves forth to prevent an attack.\n";
        if (!percentChance(DISPERSE_CHANCE)) {
            out << "Your thieves were caught attempting to infiltrate, and were executed.\n";
        } else if (opp.gathering != CARD_NOTHING) {
            out << "Your efforts pay off as the enemy " << names[opp.gathering]
                << " are dispersed.\n";
            opp.gathering = CARD_NOTHING;
        } else {
            out << "Your thieves cross enemy lines only to see nobody gathering.\n";
        }
        break;
    case BREAK_DEFENSES:
        out << "You send your thieves to destroy enemy defenses.\n";
        if (opp.defense == CARD_NOTHING) {
            out << "The thieves found it easy to get through since no defenses were set.\n";
        } else if (percentChance(BREAK_CHANCE)) {
            out << "Stealth allows your thieves to break up the enemy defenses successfully.\n";
            opp.defense = CARD_NOTHING;
        } else {
            out << "Your thieves were killed by the defenses they tried to disarm.\n";
        }
        break;
    default:
        out << "Your thieves set off to take a census of the enemy.\n";
        if (percentChance(CENSUS_CHANCE)) {
            out << "Your rogues return with a count of " << opp.population << " people.\n";
        } else {
            out << "When your servants fail to return, you realize they have been captured.\n";
        }
        break;
    }
}

// The computer goes for the player's gathering first, counts people when nothing stands in
// the way, and otherwise breaks the defense.
void computerSendsThieves(std::ostream& out, Kingdom& opp, const CardNames& names) {
    if (opp.gathering != CARD_NOTHING) {
        if (percentChance(DISPERSE_CHANCE)) {
            out << "Spies have caused dissention in your " << names[opp.gathering]
                << " causing them to disperse.\n";
            opp.gathering = CARD_NOTHING;
        } else {
            out << "Your " << names[opp.gathering]
                << " have killed some enemy thieves who were trying to stir your\ntroops.\n";
        }
    } else if (opp.defense == CARD_NOTHING) {
        if (percentChance(CENSUS_CHANCE)) {
            out << "You realize too late that you gave your latest census statistics to enemy "
                   "spies.\n";
        } else {
            out << "You catch enemy thieves trying to count your population and promptly execute "
                   "them.\n";
        }
    } else if (percentChance(BREAK_CHANCE)) {
        out << "You notice the " << names[opp.defense] << " you had in defense are now gone.\n";
        opp.defense = CARD_NOTHING;
    } else {
        out << "Thieves trying to destroy your defenses have been killed.\n";
    }
}

} // namespace

CardId thieves(Console& console, Kingdom& opp, const CardNames& cardNames, char side) {
    if (side == SIDE_PLAYER) {
        playerSendsThieves(console, opp, cardNames);
    } else {
        computerSendsThieves(console.out, opp, cardNames);
    }
    return drawCard();
}

} // namespace realmsfall
