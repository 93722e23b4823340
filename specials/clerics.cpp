#include "cards/deck.h"
#include "core/random.h"
#include "specials/specials.h"

#include <ostream>

namespace realmsfall {

namespace {

enum Task { CONVERT, DIVINE, RESURRECT };

// People won over from the enemy: 0 when the clerics fail.
std::int32_t convert(std::int32_t& selfPopulation, std::int32_t& oppPopulation) {
    if (!percentChance(33)) {
        return 0;
    }
    const std::int32_t people = rand() % 20000 + 35000;
    selfPopulation += people;
    oppPopulation -= people;
    return people;
}

// People brought back: 0 when the spell is broken.
std::int32_t resurrect(std::int32_t& selfPopulation) {
    if (!percentChance(66)) {
        return 0;
    }
    const std::int32_t people = rand() % 15000 + 45000;
    selfPopulation += people;
    return people;
}

bool divine() {
    return percentChance(50);
}

void showEnemyHand(std::ostream& out, Hand& hand, const CardNames& names) {
    sortHand(hand);
    out << "Your priests tell you that the enemy has these units available:\n";
    for (int i = 0; i < HAND_SIZE; ++i) {
        out << i + 1 << ". " << names[hand[i]];
        endLine(out);
    }
    endLine(out);
}

void playerCallsClerics(Console& console, std::int32_t& selfPopulation, std::int32_t& oppPopulation,
                        Hand& oppHand, const CardNames& names) {
    std::ostream& out = console.out;
    out << "Your clerics come at your request.\n"
        << "1. Convert enemy population\n"
        << "2. Divine opponent's army\n"
        << "3. Resurrect your slain followers\n"
        << "Select a task: ";
    switch (readChoice(console, 3)) {
    case CONVERT:
        out << "Your clerics make an attempt to urge people to your cause.\n";
        if (const std::int32_t people = convert(selfPopulation, oppPopulation)) {
            out << "Your priests manage to convert " << people << " people from the enemy.\n";
        } else {
            out << "The persuasive arguments of the clerics fail to bring new followers.\n";
        }
        break;
    case DIVINE:
        out << "Your clerics attempt to use their clairvoyant abilities.\n";
        if (divine()) {
            showEnemyHand(out, oppHand, names);
        } else {
            out << "Your clerics report a mental barrier blocking their abilities at this "
                   "moment.\n";
        }
        break;
    default:
        out << "Your clerics begin chanting the arcane words to Mass Resurrection.\n";
        if (const std::int32_t people = resurrect(selfPopulation)) {
            out << "The spell manages to revive " << people << " of your slain comrades.\n";
        } else {
            out << "Your clerics' concentration was broken mid-spell, and the spell is wasted.\n";
        }
        break;
    }
}

// The computer picks its task by chance: convert 4 in 10, resurrect 4 in 10, divine 2 in 10.
Task computerTask() {
    const int t = rand() % 10;
    if (t < 4) {
        return CONVERT;
    }
    return t < 8 ? RESURRECT : DIVINE;
}

void computerCallsClerics(std::ostream& out, std::int32_t& selfPopulation,
                          std::int32_t& oppPopulation) {
    switch (computerTask()) {
    case CONVERT:
        if (const std::int32_t people = convert(selfPopulation, oppPopulation)) {
            out << "Your enemy's clerics convince " << people
                << " of your people to change sides.\n";
        } else {
            out << "Your people laugh at the clerics that have come to recruit new followers.\n";
        }
        break;
    case RESURRECT:
        if (resurrect(selfPopulation) > 0) {
            out << "Enemy population swells as clerics resurrect their dead.\n";
        } else {
            out << "An attempt to resurrect dead warriors has failed.\n";
        }
        break;
    case DIVINE:
        if (divine()) {
            out << "You get the feeling your enemy knows what you have in store.\n";
        } else {
            out << "Your clerics put up a mind barrier just in time to block a divination\n"
                << "spell cast by enemy clerics.\n";
        }
        break;
    }
}

} // namespace

CardId clerics(Console& console, std::int32_t& selfPopulation, std::int32_t& oppPopulation,
               Hand& oppHand, const CardNames& cardNames, char side) {
    if (side == SIDE_PLAYER) {
        playerCallsClerics(console, selfPopulation, oppPopulation, oppHand, cardNames);
    } else {
        computerCallsClerics(console.out, selfPopulation, oppPopulation);
    }
    return drawCard();
}

} // namespace realmsfall
