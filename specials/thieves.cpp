#include "cards/deck.h"
#include "core/random.h"
#include "specials/menu.h"
#include "specials/specials.h"

#include <ostream>

namespace realmsfall {

namespace {

// Each task succeeds when rand() % 100 falls below its chance.
constexpr int DISPERSE_CHANCE = 33;
constexpr int BREAK_CHANCE = 50;
constexpr int CENSUS_CHANCE = 66;

enum Task { DISPERSE, BREAK_DEFENSES, CENSUS };

enum Result { FAILED, SUCCEEDED, NOTHING_THERE };

// What the thieves did: their task, how it went, and the kind they found in the slot.
struct Heist {
    Task task;
    Result result;
    CardId target;
};

Result roll(int chance) {
    return percentChance(chance) ? SUCCEEDED : FAILED;
}

// The thieves always try to disperse, even when nobody gathers; against no defense they get
// through without a fight.
Heist carryOut(Task task, Kingdom& opp) {
    switch (task) {
    case DISPERSE: {
        const Heist heist{task, roll(DISPERSE_CHANCE), opp.gathering};
        if (heist.result == FAILED) {
            return heist;
        }
        opp.gathering = CARD_NOTHING;
        return {task, heist.target == CARD_NOTHING ? NOTHING_THERE : SUCCEEDED, heist.target};
    }
    case BREAK_DEFENSES: {
        if (opp.defense == CARD_NOTHING) {
            return {task, NOTHING_THERE, CARD_NOTHING};
        }
        const Heist heist{task, roll(BREAK_CHANCE), opp.defense};
        if (heist.result == SUCCEEDED) {
            opp.defense = CARD_NOTHING;
        }
        return heist;
    }
    default:
        return {task, roll(CENSUS_CHANCE), CARD_NOTHING};
    }
}

void narrateForPlayer(std::ostream& out, const Heist& heist, std::int32_t population,
                      const CardNames& names) {
    const bool done = heist.result == SUCCEEDED;
    switch (heist.task) {
    case DISPERSE:
        out << "You send your thieves forth to prevent an attack.\n";
        if (heist.result == FAILED) {
            out << "Your thieves were caught attempting to infiltrate, and were executed.\n";
        } else if (done) {
            out << "Your efforts pay off as the enemy " << names[heist.target]
                << " are dispersed.\n";
        } else {
            out << "Your thieves cross enemy lines only to see nobody gathering.\n";
        }
        break;
    case BREAK_DEFENSES:
        out << "You send your thieves to destroy enemy defenses.\n";
        if (heist.result == NOTHING_THERE) {
            out << "The thieves found it easy to get through since no defenses were set.\n";
        } else if (done) {
            out << "Stealth allows your thieves to break up the enemy defenses successfully.\n";
        } else {
            out << "Your thieves were killed by the defenses they tried to disarm.\n";
        }
        break;
    case CENSUS:
        out << "Your thieves set off to take a census of the enemy.\n";
        if (done) {
            out << "Your rogues return with a count of " << population << " people.\n";
        } else {
            out << "When your servants fail to return, you realize they have been captured.\n";
        }
        break;
    }
}

void narrateForComputer(std::ostream& out, const Heist& heist, const CardNames& names) {
    const bool done = heist.result == SUCCEEDED;
    switch (heist.task) {
    case DISPERSE:
        if (done) {
            out << "Spies have caused dissention in your " << names[heist.target]
                << " causing them to disperse.\n";
        } else {
            out << "Your " << names[heist.target]
                << " have killed some enemy thieves who were trying to stir your\ntroops.\n";
        }
        break;
    case BREAK_DEFENSES:
        if (done) {
            out << "You notice the " << names[heist.target]
                << " you had in defense are now gone.\n";
        } else {
            out << "Thieves trying to destroy your defenses have been killed.\n";
        }
        break;
    case CENSUS:
        if (done) {
            out << "You realize too late that you gave your latest census statistics to enemy "
                   "spies.\n";
        } else {
            out << "You catch enemy thieves trying to count your population and promptly execute "
                   "them.\n";
        }
        break;
    }
}

} // namespace

CardId thieves(Console& console, Kingdom& opp, const CardNames& cardNames, MenuAnswer answer,
               char side) {
    const bool player = side == SIDE_PLAYER;
    const Task task = static_cast<Task>(
        player ? chooseFromMenu(console, "You call upon thieves to do your dirty work.\n",
                                {"Disperse gathering", "Break defenses", "Count population"},
                                "Select a task: ", answer)
               : answer.value_or(computerThievesTask(opp)));
    const Heist heist = carryOut(task, opp);
    if (player) {
        narrateForPlayer(console.out, heist, opp.population, cardNames);
    } else {
        narrateForComputer(console.out, heist, cardNames);
    }
    return drawCard();
}

} // namespace realmsfall
