#include "cards/deck.h"
#include "core/random.h"
#include "specials/specials.h"

#include <ostream>

namespace realmsfall {

namespace {

// The computer's kingdom falls while its Lord is away, whether lost in time or in a long absence.
constexpr const char* CRUSHED_WITHOUT_LORD =
    " is easily defeated without leadership, you crush the enemy quickly.\n";

// How the absent Lord's return ends the long absence.
enum Return { CASTER_RUINED, FOE_FINISHED, NEW_HANDS };

// The Lord is lost past his death: the caster's kingdom falls at once. The computer's fall is
// always crushing enough to count as an overkill.
void lostInTime(std::ostream& out, Kingdom& self, const String& computerRegion, char side) {
    if (side == SIDE_PLAYER) {
        out << "The light does not return as you accidently travel through time past your "
               "death.\n";
        self.population = 0;
    } else {
        out << computerRegion << CRUSHED_WITHOUT_LORD;
        self.population = -50000;
    }
}

void anotherCommand(std::ostream& out, std::int32_t& turn, const String& computerRegion,
                    char side) {
    if (side == SIDE_PLAYER) {
        out << "You return to see nothing has changed.  No time was lost, however, in the\n"
               "casting of the spell.  "
            << "You feel you are able to give another command\nbefore your opponent.\n";
    } else {
        out << "You feel a little dizzy and aren't sure why.  All you know is that "
            << computerRegion << "'s\nLord has returned.\n";
    }
    ++turn;
}

// Both kingdoms bleed while the Lord is away. When the caster falls, the other side is left
// with exactly one person, so the caster alone loses.
Return longAbsence(Kingdom& self, Kingdom& opp, char side) {
    self.population -= rand() % 40000 + 10000;
    opp.population -= rand() % 40000 + 10000;
    if (self.population <= 0) {
        opp.population = 1;
        return CASTER_RUINED;
    }
    if (opp.population <= 0) {
        return FOE_FINISHED;
    }
    Hand& playerHand = side == SIDE_PLAYER ? self.hand : opp.hand;
    Hand& computerHand = side == SIDE_PLAYER ? opp.hand : self.hand;
    dealHands(playerHand, computerHand);
    return NEW_HANDS;
}

void narrateReturn(std::ostream& out, Return how, const String& computerRegion, char side) {
    if (side == SIDE_PLAYER) {
        if (how == CASTER_RUINED) {
            out << "You return to see your country in ruins.  During your absence, your army was "
                   "destroyed.\n";
        } else if (how == FOE_FINISHED) {
            out << "You return to see your country in celebration.  While you were gone, your "
                   "forces finished "
                << "off your foe.\n";
        } else {
            out << "You return to see new faces in your kingdom.  The future holds new "
                   "opportunity.\n";
        }
    } else if (how == CASTER_RUINED) {
        out << computerRegion << CRUSHED_WITHOUT_LORD;
    } else if (how == FOE_FINISHED) {
        out << "Unfortunately even without their Lord, " << computerRegion
            << " was too powerful for you.\n";
    } else {
        out << "You battle on for many months and have a fresh line of soldiers when word\n"
               "arrives of the "
            << "enemy Lord's return.\n";
    }
}

// Both kingdoms go back to where they stood `days` turns ago, hands included; the caster
// moves again at once.
void journeyBack(std::ostream& out, Kingdom& self, Kingdom& opp, std::int32_t& turn,
                 const History& selfHistory, const History& oppHistory, char side) {
    const int day = rand() % HISTORY_DAYS;
    if (side == SIDE_PLAYER) {
        out << "You travel back in time " << day + 1 << " days and try your luck again.\n";
    } else {
        out << "You realize the last " << day + 1 << " days have just been a dream.\n";
    }
    self = selfHistory[day];
    opp = oppHistory[day];
    ++turn;
}

} // namespace

CardId timeTwist(Console& console, Kingdom& self, Kingdom& opp, std::int32_t& turn,
                 const History& selfHistory, const History& oppHistory, String computerRegion,
                 char side) {
    const int fate = rand() % 100;
    std::ostream& out = console.out;
    if (side == SIDE_PLAYER) {
        out << "You cast from the scroll of Time Twist and all becomes dark.\n";
    } else {
        out << "You find that " << computerRegion << " is missing it's Lord.\n";
    }
    if (fate == 0) {
        lostInTime(out, self, computerRegion, side);
    } else if (fate <= 33) {
        anotherCommand(out, turn, computerRegion, side);
    } else if (fate <= 66) {
        narrateReturn(out, longAbsence(self, opp, side), computerRegion, side);
    } else {
        journeyBack(out, self, opp, turn, selfHistory, oppHistory, side);
    }
    return drawCard();
}

} // namespace realmsfall
