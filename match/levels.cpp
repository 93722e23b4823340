#include "match/levels.h"

#include "match/computer.h"
#include "match/orders.h"
#include "specials/menu.h"

#include <algorithm>

namespace realmsfall {

namespace {

Sighting sightingOf(const Kingdom& kingdom) {
    return {kingdom.gathering, kingdom.defense, kingdom.population};
}

// One step of splitmix64.
std::uint64_t nextState(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15u);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
}

} // namespace

const std::array<Level, LEVEL_COUNT> LEVELS = {{
    {"easy", chooseEasy},
    {"normal", chooseNormal},
    {"hard", chooseHard},
}};

const Level* findLevel(std::string_view name) {
    const auto found = std::find_if(LEVELS.begin(), LEVELS.end(),
                                    [name](const Level& level) { return name == level.name; });
    return found == LEVELS.end() ? nullptr : &*found;
}

LevelRandom levelRandom(std::int32_t seed, char side) {
    LevelRandom random{static_cast<std::uint32_t>(seed) * 2u + (side == SIDE_PLAYER ? 0u : 1u)};
    nextState(random.state);
    return random;
}

int levelDraw(LevelRandom& random, int bound) {
    return static_cast<int>(nextState(random.state) % static_cast<std::uint64_t>(bound));
}

View viewOf(const Match& match, char side) {
    const auto [self, opp] = actingFirst(side, match.player, match.computer);
    const auto [selfHistory, oppHistory] =
        actingFirst(side, match.playerHistory, match.computerHistory);
    View view{self, selfHistory, sightingOf(opp), {}, match.turn};
    std::transform(oppHistory.begin(), oppHistory.end(), view.otherHistory.begin(), sightingOf);
    return view;
}

MenuAnswer ownRuleAnswer(const View& view, CardId card, LevelRandom& random) {
    switch (card) {
    case CARD_THIEVES:
        return computerThievesTask({view.other.gathering, view.other.defense, 0, {}});
    case CARD_CLERICS:
        return computerClericsTask(levelDraw(random, CLERICS_ROLL));
    case CARD_SUMMONERS:
    case CARD_BONES_OF_FATE:
        return computerTroopOrder(view.own);
    default:
        return std::nullopt;
    }
}

bool narrated(const View& view, CardId card, int answer) {
    switch (card) {
    case CARD_THIEVES:
        return (answer != 0 || view.other.gathering != CARD_NOTHING) &&
               (answer != 1 || view.other.defense != CARD_NOTHING);
    case CARD_SUMMONERS:
    case CARD_BONES_OF_FATE:
        return answer != ATTACK_ORDER || view.own.gathering != CARD_NOTHING;
    default:
        return true;
    }
}

Choice chooseNormal(const View& view, LevelRandom&) {
    return {chooseComputerMove(view.own, view.other.gathering, view.other.defense), std::nullopt};
}

} // namespace realmsfall
