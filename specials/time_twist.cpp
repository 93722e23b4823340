#include "cards/deck.h"
#include "core/random.h"
#include "specials/specials.h"

#include <cassert>
#include <ostream>

namespace realmsfall {

namespace {

// The fate is rand() % FATE_ROLL: below LOST_BELOW the Lord is lost in time, below
// COMMAND_BELOW he gives another command, below ABSENCE_BELOW he is away for long, and
// otherwise he goes back in time.
constexpr int FATE_ROLL = 100;
constexpr int LOST_BELOW = 1;
constexpr int COMMAND_BELOW = 34;
constexpr int ABSENCE_BELOW = 67;

// What a Lord lost in time leaves of his people: the player's kingdom is gone, and the
// computer's falls crushing enough to count as an overkill.
constexpr std::int32_t PLAYER_LOST = 0;
constexpr std::int32_t COMPUTER_CRUSHED = -50000;

// Each side loses rand() % ABSENCE_LOSS_SPREAD + ABSENCE_LOSS_BASE people during a long
// absence; when the caster falls, the other side is left with SURVIVORS people.
constexpr std::int32_t ABSENCE_LOSS_BASE = 10000;
constexpr std::int32_t ABSENCE_LOSS_SPREAD = 40000;
constexpr std::int32_t SURVIVORS = 1;

// The computer's kingdom falls while its Lord is away, whether lost in time or in a long absence.
constexpr const char* CRUSHED_WITHOUT_LORD =
    " is easily defeated without leadership, you crush the enemy quickly.\n";

enum Fate { LOST_IN_TIME, ANOTHER_COMMAND, CASTER_RUINED, FOE_FINISHED, NEW_HANDS, JOURNEY_BACK };

// What became of the caster's Lord, and how many days he went back (on a journey back only).
struct Twist {
    Fate fate;
    int days;
};

// Both kingdoms bleed while the Lord is away, the caster first. When the caster falls, the
// other side is left alive so that the caster alone loses; when both live, both get new hands,
// the player's dealt first.
Fate longAbsence(Kingdom& self, Kingdom& opp, char side) {
    self.population -= rand() % ABSENCE_LOSS_SPREAD + ABSENCE_LOSS_BASE;
    opp.population -= rand() % ABSENCE_LOSS_SPREAD + ABSENCE_LOSS_BASE;
    if (self.population <= 0) {
        opp.population = SURVIVORS;
        return CASTER_RUINED;
    }
    if (opp.population <= 0) {
        return FOE_FINISHED;
    }
    const auto [player, computer] = actingFirst(side, self, opp);
    dealHands(player.hand, computer.hand);
    return NEW_HANDS;
}

// The extra command and the journey back give the caster the next turn as well.
Twist carryOut(int roll, Kingdom& self, Kingdom& opp, std::int32_t& turn,
               const History& selfHistory, const History& oppHistory, char side) {
    if (roll < LOST_BELOW) {
        self.population = side == SIDE_PLAYER ? PLAYER_LOST : COMPUTER_CRUSHED;
        return {LOST_IN_TIME, {}};
    }
    if (roll < COMMAND_BELOW) {
        ++turn;
        return {ANOTHER_COMMAND, {}};
    }
    if (roll < ABSENCE_BELOW) {
        return {longAbsence(self, opp, side), {}};
    }
    const int day = rand() % HISTORY_DAYS;
    assert(day >= 0 && day < HISTORY_DAYS);
    self = selfHistory[day];
    opp = oppHistory[day];
    ++turn;
    return {JOURNEY_BACK, day + 1};
}

void narrateForPlayer(std::ostream& out, const Twist& twist) {
    out << "You cast from the scroll of Time Twist and all becomes dark.\n";
    switch (twist.fate) {
    case LOST_IN_TIME:
        out << "The light does not return as you accidently travel through time past your "
               "death.\n";
        break;
    case ANOTHER_COMMAND:
        out << "You return to see nothing has changed.  No time was lost, however, in the\n"
               "casting of the spell.  "
            << "You feel you are able to give another command\nbefore your opponent.\n";
        break;
    case CASTER_RUINED:
        out << "You return to see your country in ruins.  During your absence, your army was "
               "destroyed.\n";
        break;
    case FOE_FINISHED:
        out << "You return to see your country in celebration.  While you were gone, your "
               "forces finished "
            << "off your foe.\n";
        break;
    case NEW_HANDS:
        out << "You return to see new faces in your kingdom.  The future holds new "
               "opportunity.\n";
        break;
    case JOURNEY_BACK:
        out << "You travel back in time " << twist.days << " days and try your luck again.\n";
        break;
    }
}

void narrateForComputer(std::ostream& out, const Twist& twist, const String& computerRegion) {
    out << "You find that " << computerRegion << " is missing it's Lord.\n";
    switch (twist.fate) {
    case LOST_IN_TIME:
    case CASTER_RUINED:
        out << computerRegion << CRUSHED_WITHOUT_LORD;
        break;
    case ANOTHER_COMMAND:
        out << "You feel a little dizzy and aren't sure why.  All you know is that "
            << computerRegion << "'s\nLord has returned.\n";
        break;
    case FOE_FINISHED:
        out << "Unfortunately even without their Lord, " << computerRegion
            << " was too powerful for you.\n";
        break;
    case NEW_HANDS:
        out << "You battle on for many months and have a fresh line of soldiers when word\n"
               "arrives of the "
            << "enemy Lord's return.\n";
        break;
    case JOURNEY_BACK:
        out << "You realize the last " << twist.days << " days have just been a dream.\n";
        break;
    }
}

} // namespace

CardId timeTwist(Console& console, Kingdom& self, Kingdom& opp, std::int32_t& turn,
                 const History& selfHistory, const History& oppHistory, String computerRegion,
                 char side) {
    const int roll = rand() % FATE_ROLL;
    const Twist twist = carryOut(roll, self, opp, turn, selfHistory, oppHistory, side);
    if (side == SIDE_PLAYER) {
        narrateForPlayer(console.out, twist);
    } else {
        narrateForComputer(console.out, twist, computerRegion);
    }
    return drawCard();
}

} // namespace realmsfall
