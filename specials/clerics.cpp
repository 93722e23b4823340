#include "cards/deck.h"
#include "core/random.h"
#include "specials/menu.h"
#include "specials/specials.h"

#include <ostream>

namespace realmsfall {

namespace {

// Each task succeeds when rand() % 100 falls below its chance.
constexpr int CONVERT_CHANCE = 33;
constexpr int DIVINE_CHANCE = 50;
constexpr int RESURRECT_CHANCE = 66;

// People won over: rand() % CONVERT_SPREAD + CONVERT_BASE; brought back likewise.
constexpr std::int32_t CONVERT_BASE = 35000;
constexpr std::int32_t CONVERT_SPREAD = 20000;
constexpr std::int32_t RESURRECT_BASE = 45000;
constexpr std::int32_t RESURRECT_SPREAD = 15000;

enum Task { CONVERT, DIVINE, RESURRECT };

// What the clerics did: their task, whether it worked, and how many people it moved (when a
// conversion or a resurrection worked).
struct Service {
    Task task;
    bool succeeded;
    std::int32_t people;
};

// The computer leaves its task to a draw: 4 in 10 convert, 4 in 10 resurrect, 2 in 10 divine.
Task computerTask() {
    return static_cast<Task>(computerClericsTask(rand() % CLERICS_ROLL));
}

// A successful divination by the player lays the enemy's hand out in order, to be shown.
Service carryOut(Task task, std::int32_t& selfPopulation, std::int32_t& oppPopulation,
                 Hand& oppHand, char side) {
    switch (task) {
    case CONVERT: {
        if (!percentChance(CONVERT_CHANCE)) {
            return {task, false, {}};
        }
        const std::int32_t people = rand() % CONVERT_SPREAD + CONVERT_BASE;
        selfPopulation += people;
        oppPopulation -= people;
        return {task, true, people};
    }
    case DIVINE: {
        const bool seen = percentChance(DIVINE_CHANCE);
        if (seen && side == SIDE_PLAYER) {
            sortHand(oppHand);
        }
        return {task, seen, {}};
    }
    default: {
        if (!percentChance(RESURRECT_CHANCE)) {
            return {task, false, {}};
        }
        const std::int32_t people = rand() % RESURRECT_SPREAD + RESURRECT_BASE;
        selfPopulation += people;
        return {task, true, people};
    }
    }
}

void showEnemyHand(std::ostream& out, const Hand& hand, const CardNames& names) {
    out << "Your priests tell you that the enemy has these units available:\n";
    for (int i = 0; i < HAND_SIZE; ++i) {
        out << i + 1 << ". " << names[hand[i]];
        endLine(out);
    }
    endLine(out);
}

void narrateForPlayer(std::ostream& out, const Service& service, const Hand& oppHand,
                      const CardNames& names) {
    switch (service.task) {
    case CONVERT:
        out << "Your clerics make an attempt to urge people to your cause.\n";
        if (service.succeeded) {
            out << "Your priests manage to convert " << service.people
                << " people from the enemy.\n";
        } else {
            out << "The persuasive arguments of the clerics fail to bring new followers.\n";
        }
        break;
    case DIVINE:
        out << "Your clerics attempt to use their clairvoyant abilities.\n";
        if (service.succeeded) {
            showEnemyHand(out, oppHand, names);
        } else {
            out << "Your clerics report a mental barrier blocking their abilities at this "
                   "moment.\n";
        }
        break;
    case RESURRECT:
        out << "Your clerics begin chanting the arcane words to Mass Resurrection.\n";
        if (service.succeeded) {
            out << "The spell manages to revive " << service.people << " of your slain comrades.\n";
        } else {
            out << "Your clerics' concentration was broken mid-spell, and the spell is wasted.\n";
        }
        break;
    }
}

void narrateForComputer(std::ostream& out, const Service& service) {
    switch (service.task) {
    case CONVERT:
        if (service.succeeded) {
            out << "Your enemy's clerics convince " << service.people
                << " of your people to change sides.\n";
        } else {
            out << "Your people laugh at the clerics that have come to recruit new followers.\n";
        }
        break;
    case DIVINE:
        if (service.succeeded) {
            out << "You get the feeling your enemy knows what you have in store.\n";
        } else {
            out << "Your clerics put up a mind barrier just in time to block a divination\n"
                << "spell cast by enemy clerics.\n";
        }
        break;
    case RESURRECT:
        if (service.succeeded) {
            out << "Enemy population swells as clerics resurrect their dead.\n";
        } else {
            out << "An attempt to resurrect dead warriors has failed.\n";
        }
        break;
    }
}

} // namespace

CardId clerics(Console& console, std::int32_t& selfPopulation, std::int32_t& oppPopulation,
               Hand& oppHand, const CardNames& cardNames, MenuAnswer answer, char side) {
    const bool player = side == SIDE_PLAYER;
    const Task task = player   ? static_cast<Task>(chooseFromMenu(
                                     console, "Your clerics come at your request.\n",
                                     {"Convert enemy population", "Divine opponent's army",
                                      "Resurrect your slain followers"},
                                     "Select a task: ", answer))
                      : answer ? static_cast<Task>(*answer)
                               : computerTask();
    const Service service = carryOut(task, selfPopulation, oppPopulation, oppHand, side);
    if (player) {
        narrateForPlayer(console.out, service, oppHand, cardNames);
    } else {
        narrateForComputer(console.out, service);
    }
    return drawCard();
}

} // namespace realmsfall
