// The computer's levels: their choices in set situations, that they see only what they may, and
// where each books its games.
#include "driver/levels.h"
#include "driver/options.h"
#include "games.h"
#include "match/levels.h"

#include <array>
#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <tuple>
#include <vector>

namespace realmsfall {
namespace {

using namespace testing;
using namespace ::testing;

// A view of own {gathering, defense, people} against the other side's, with a hand of `front`
// filled up with `filler`; both histories hold the present.
View viewOf(Sighting own, Sighting other, const std::vector<CardId>& front, CardId filler) {
    View view{
        {own.gathering, own.defense, own.population, handOf(front, filler)}, {}, other, {}, 9};
    view.ownHistory.fill(view.own);
    view.otherHistory.fill(other);
    return view;
}

// The move as a number: the position played, or -1 - the position discarded; and the answer,
// or -1 for none.
std::pair<int, int> encoded(const Choice& choice) {
    const int move =
        choice.move.kind == Move::PLAY ? choice.move.position : -1 - choice.move.position;
    return {move, choice.answer.value_or(-1)};
}

// A generator whose first draw of 0 to 99 is `draw`: a beginner slips below 75.
LevelRandom randomFor(int draw) {
    std::int32_t seed = 0;
    for (LevelRandom probe = levelRandom(seed, 'c'); levelDraw(probe, 100) != draw;) {
        probe = levelRandom(++seed, 'c');
    }
    return levelRandom(seed, 'c');
}

using Situation = std::tuple<Sighting, Sighting, std::vector<CardId>, CardId, int, int>;

const Sighting OPEN{21, 21, 200000}, GATHERS{3, 21, 200000};
// Own, other, hand, filler; the move and the answer the hard level chooses.
const std::vector<Situation> HARD_CASES = {
    {{5, 13, 200000}, GATHERS, {19, 9, 11}, 12, 2, -1},         // attacks rather than praying
    {{5, 21, 200000}, GATHERS, {11, 17}, 6, 1, -1},             // defends first against a gathering
    {{5, 21, 200000}, OPEN, {11, 17}, 6, 0, -1},                // ... but strikes an idle enemy
    {{0, 13, 200000}, {21, 17, 200000}, {6, 18}, 12, 1, 1},     // thieves break what holds,
    {{0, 13, 200000}, {21, 17, 200000}, {6, 20}, 12, 1, 2},     // a hopeless attack waits,
    {{0, 13, 200000}, {21, 17, 200000}, {6}, 12, 0, -1},        // ... but beats a discard
    {{21, 13, 200000}, OPEN, {20}, 12, 0, 2},                   // clerics resurrect,
    {{21, 13, 200000}, {21, 21, 54999}, {20}, 12, 0, 0},        // or convert to finish,
    {{21, 13, 200000}, {21, 21, 55000}, {20}, 12, 0, 2},        // ... which 55000 outlast
    {{21, 13, 100000}, OPEN, {24}, 12, 0, 0},                   // behind: the bones, Dragons
    {{21, 13, 200000}, {21, 21, 100000}, {24}, 12, -2, -1},     // ahead: no roll, a discard
    {{5, 13, 200000}, OPEN, {26}, 12, 0, 1},                    // summoned attack on the open
    {{21, 13, 200000}, OPEN, {23}, 12, 0, -1},                  // a twist that loses nothing
    {{21, 13, 40000}, OPEN, {23}, 12, -2, -1},                  // ... but not near the end
    {{0, 13, 200000}, OPEN, {5, 11}, 12, 0, -1},                // Footmen give way to Dragons
    {{5, 13, 200000}, {21, 17, 8000}, {6, 20}, 12, 1, 0},       // a likely miss is no attack
    {{21, 13, 200000}, {21, 21, 100000}, {24, 24}, 12, -1, -1}, // a special held twice goes
    {{0, 21, 200000}, {21, 21, 5000}, {6}, 12, 0, -1},          // 5000 killed finish 5000 people,
    {{0, 21, 200000}, {21, 21, 5001}, {6}, 12, 1, -1},          // ... not 5001: a defense first
    {{5, 21, 200000}, {21, 25, 9000}, {11}, 12, 1, -1},         // Shields of Fate stop any attack
    {{0, 13, 200000}, OPEN, {4}, 12, -2, -1}, // Seige Towers are no gain on Footmen
};

// Own, other, hand, filler; the move the easy level plans, and the move when the beginner slips.
const std::vector<Situation> EASY_CASES = {
    {{5, 13, 200000}, OPEN, {6, 11, 7}, 12, 1, 0},      // the smallest unit attacks
    {{21, 13, 200000}, OPEN, {0, 5, 2}, 12, 1, 0},      // the weakest troops gather
    {{5, 21, 200000}, GATHERS, {17, 9, 6}, 13, 0, 2},   // an attack before the defense
    {{21, 21, 200000}, GATHERS, {17, 12, 3}, 13, 0, 2}, // a gathering before the defense
    {{21, 13, 200000}, OPEN, {6, 7}, 12, -3, -3},       // a discard stays a discard
};

TEST(Levels, HardChoosesByItsRules) {
    LevelRandom random = levelRandom(1, 'c');
    for (const auto& [own, other, front, filler, move, answer] : HARD_CASES) {
        EXPECT_EQ(encoded(chooseHard(viewOf(own, other, front, filler), random)),
                  std::pair(move, answer))
            << PrintToString(front) << own.population << other.population;
    }
    View twist = viewOf({21, 13, 200000}, OPEN, {23}, 12);
    twist.ownHistory[4].population -= 1; // a journey back that loses one person in all
    EXPECT_EQ(encoded(chooseHard(twist, random)), std::pair(-2, -1));
}

TEST(Levels, EasySlipsAsABeginnerDoes) {
    for (const auto& [own, other, front, filler, planned, slip] : EASY_CASES) {
        for (const bool slipped : {false, true}) {
            LevelRandom random = randomFor(slipped ? 74 : 75);
            EXPECT_EQ(encoded(chooseEasy(viewOf(own, other, front, filler), random)).first,
                      slipped ? slip : planned)
                << PrintToString(front) << slipped;
        }
    }
    // The levels' generator stays as it is: the arena's figures in the README are its games.
    LevelRandom fixed = levelRandom(1, 'c');
    EXPECT_EQ((std::array{levelDraw(fixed, 100), levelDraw(fixed, 100), levelDraw(fixed, 100)}),
              (std::array{61, 29, 47}));
    // With one special card in hand, every whim lands on it, whichever kind the whim starts from.
    const View one = viewOf({21, 13, 200000}, OPEN, {24}, 12);
    for (std::int32_t seed = 0; seed < 100; ++seed) {
        LevelRandom whim = levelRandom(seed, 'c');
        EXPECT_EQ(chooseEasy(one, whim).move.position, 0) << seed;
    }
}

// The computer's own rule answers a menu the player's seat must answer; a level's answer is one
// the computer's narration covers.
TEST(Levels, MenusAreAnsweredByTheComputersRuleOrAsItsTextsAllow) {
    const Sighting open{21, 21, 1}, gathers{3, 21, 1}, defends{21, 13, 1};
    // Own slots, the other side's, the card; the rule's answer; the answers narrated, as bits.
    const std::vector<std::tuple<Sighting, Sighting, CardId, int, int>> cases = {
        {{21, 13, 1}, gathers, CARD_THIEVES, 0, 0b101},    // disperse, or count
        {{21, 13, 1}, {3, 13, 1}, CARD_THIEVES, 0, 0b111}, // anything
        {{21, 13, 1}, defends, CARD_THIEVES, 1, 0b110},    // break, or count
        {{21, 13, 1}, open, CARD_THIEVES, 2, 0b100},       // only count
        {{21, 21, 1}, open, CARD_SUMMONERS, 2, 0b101},     // defend; no attack
        {{21, 13, 1}, open, CARD_BONES_OF_FATE, 0, 0b101}, // gather; no attack
        {{5, 13, 1}, open, CARD_SUMMONERS, 1, 0b111},      // attack
        {{5, 21, 1}, open, CARD_BONES_OF_FATE, 2, 0b111},  // defend first
        {{21, 21, 1}, open, CARD_TIME_TWIST, -1, 0b111},   // no menu
    };
    for (const auto& [own, other, card, rule, narratedAnswers] : cases) {
        const View view = viewOf(own, other, {}, 12);
        LevelRandom random = levelRandom(1, 'p');
        EXPECT_EQ(ownRuleAnswer(view, card, random).value_or(-1), rule) << card;
        for (int answer = 0; answer < 3; ++answer) {
            EXPECT_EQ(narrated(view, card, answer), (narratedAnswers >> answer & 1) != 0) << card;
        }
    }
}

// A level sees its own kingdom and hand and what the other side shows, no more (a View holds
// nothing else), and draws from its own generator alone: in each set situation every level
// chooses alike whatever the game's generator holds, plays an amount only to a gathering, and
// answers a menu only as the computer's narration covers.
TEST(Levels, DrawOnlyFromTheirOwnGeneratorAndAnswerOnlyWhatIsNarrated) {
    const int low = seedFor({{100, 0}, {2, 0}}), high = seedFor({{100, 99}, {2, 1}});
    std::vector<Situation> situations = HARD_CASES;
    situations.insert(situations.end(), EASY_CASES.begin(), EASY_CASES.end());
    for (const auto& [own, other, front, filler, move, answer] : situations) {
        const View view = viewOf(own, other, front, filler);
        for (const Level& level : LEVELS) {
            LevelRandom random = levelRandom(7, 'c'), again = random;
            srand(low);
            const Choice choice = level.choose(view, random);
            srand(high);
            EXPECT_EQ(encoded(choice), encoded(level.choose(view, again))) << level.name;
            const CardId card = view.own.hand[static_cast<std::size_t>(choice.move.position)];
            if (choice.move.kind == Move::PLAY) {
                EXPECT_TRUE(!isAmount(card) || own.gathering != CARD_NOTHING) << level.name;
                EXPECT_TRUE(!choice.answer || narrated(view, card, *choice.answer)) << level.name;
            }
        }
    }
}

// A game at another level is that level's game, booked in a file of its own, which -s --level
// shows and -s alone points to.
TEST(Levels, EachBooksItsGamesInAFileOfItsOwn) {
    const std::string folder = ownFolder(), path = folder + "/standings.txt";
    const Outcome normal = commandLine({"-d", "0", "-f", path}, "Lee\n" + LOSING_GAME);
    const Outcome easy = commandLine({"-f", path, "--level", "easy"}, "Lee\n" + LOSING_GAME);
    ASSERT_EQ(easy.status, 0) << easy.complaints;
    EXPECT_THAT(easy.screen, StartsWith("Level easy: your record at this level is kept in " +
                                        folder + "/standings-easy.txt.\n\nRRRRRR"));
    const auto deal = [](const std::string& screen) { return screen.substr(screen.find("Call")); };
    EXPECT_NE(deal(easy.screen), deal(normal.screen)); // the same deal, another computer
    EXPECT_EQ(readFile(folder + "/standings-easy.txt"), "1\nLee 0 1 0 1 0\n~\n");
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_THAT(commandLine({"-s", "--level", "easy", "-f", path}).screen, HasSubstr("\nLee "));
    EXPECT_EQ(levelStandingsPath("old.d/s", LEVELS[HARD]), "old.d/s-hard"); // no extension
    EXPECT_EQ(levelStandingsPath("/tmp/.records", LEVELS[EASY]), "/tmp/.records-easy");
    EXPECT_EQ(commandLine({"-s", "-f", path}).screen,
              "No standings yet: " + path + " does not exist.\nAlso: realmsfall -s --level easy\n");
}

} // namespace
} // namespace realmsfall
