#pragma once

// The computer's levels: each a plain function that chooses a side's move, and the answer to a
// special card's menu, from what that side may see, with a generator of its own. The level is
// chosen once, before the first game; the match plays every level alike.
#include "cards/deck.h"
#include "match/kingdom.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace realmsfall {

// What a side may see of the other side's kingdom: never its hand.
struct Sighting {
    CardId gathering;
    CardId defense;
    std::int32_t population;
};

// All a level knows when it chooses: its own kingdom and history whole, of the other side only
// what it gathers and defends with and its people, now and on its last five turns, and the turn.
struct View {
    Kingdom own;
    History ownHistory;
    Sighting other;
    std::array<Sighting, HISTORY_DAYS> otherHistory;
    std::int32_t turn;
};

// A level's own generator, apart from the game's: a level draws from it alone, so that a deal's
// cards and chances stay the deal's whichever level plays.
struct LevelRandom {
    std::uint64_t state;
};

// The generator of a side's level in a game seeded with `seed`: the same game, the same choices.
LevelRandom levelRandom(std::int32_t seed, char side);

// 0 to bound - 1.
int levelDraw(LevelRandom& random, int bound);

// A level's choice: the move and, for a special card with a menu, the answer (none lets the
// card follow its own rule for the computer).
struct Choice {
    Move move;
    MenuAnswer answer;
};

using ChooseMove = Choice (*)(const View& view, LevelRandom& random);

struct Level {
    const char* name;
    ChooseMove choose;
};

enum LevelIndex { EASY, NORMAL, HARD, LEVEL_COUNT };
extern const std::array<Level, LEVEL_COUNT> LEVELS;

// The level of that name; nullptr when there is none.
const Level* findLevel(std::string_view name);

// What `side` may see of the match.
View viewOf(const Match& match, char side);

// The answer the computer's own rule gives in the menu of `card` (Thieves, Clerics, Summoners,
// Bones of Fate's green), for a side that must answer it; Clerics' draw comes from `random`.
MenuAnswer ownRuleAnswer(const View& view, CardId card, LevelRandom& random);

// Whether the computer's narration covers `answer` to the menu of `card` in this state: thieves
// disperse only a gathering and break only a defense, and an attack is summoned or armed only
// while troops are gathered.
bool narrated(const View& view, CardId card, int answer);

// The choices of each level.
Choice chooseEasy(const View& view, LevelRandom& random);
Choice chooseNormal(const View& view, LevelRandom& random);
Choice chooseHard(const View& view, LevelRandom& random);

} // namespace realmsfall
