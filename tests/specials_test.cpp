// The six special cards, each outcome forced by a seed whose first draws give the wanted roll.
#include "match/match.h"
#include "specials/specials.h"
#include "support.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <tuple>

namespace realmsfall {
namespace {

using namespace testing;
using ::testing::EndsWith;
using ::testing::HasSubstr;

// What `draw` yields after `skipped` numbers from `seed`; leaves the generator seeded again.
template <typename Draw>
auto peek(int seed, int skipped, Draw draw) {
    for (srand(seed); skipped > 0; --skipped) {
        rand();
    }
    const auto value = draw();
    srand(seed);
    return value;
}

Kingdom kingdom(CardId gathering, CardId defense, std::int32_t population, CardId card = 0) {
    Kingdom k{gathering, defense, population, {}};
    k.hand.fill(card);
    return k;
}

template <typename... Kingdoms>
auto fields(const Kingdoms&... k) {
    return std::tuple_cat(std::tuple{k.gathering, k.defense, k.population, k.hand}...);
}

TEST(Thieves, EachTaskAndTheComputersTarget) {
    // Keys (none for the computer), the roll that succeeds, enemy before and after, text, draws.
    const std::tuple<const char*, int, Kingdom, Kingdom, const char*, int> cases[] = {
        {"1\n", 33, kingdom(2, 13, 9), kingdom(21, 13, 9), "enemy Knights are dispersed", 2},
        {"2\n", 100, kingdom(2, 21, 9), kingdom(2, 21, 9), "no defenses were set.", 1},
        {"2\n", 50, kingdom(2, 13, 9), kingdom(2, 21, 9), "defenses successfully.", 2},
        {"3\n", 66, kingdom(2, 13, 9), kingdom(2, 13, 9), "with a count of 9 people.", 2},
        {"", 33, kingdom(2, 13, 9), kingdom(21, 13, 9), "in your Knights causing", 2},
        {"", 50, kingdom(21, 13, 9), kingdom(21, 21, 9), "notice the Pikemen you had", 2},
        {"", 66, kingdom(21, 21, 9), kingdom(21, 21, 9), "census statistics to enemy", 2},
    };
    for (const auto& [keys, below, before, after, text, draws] : cases) {
        const int seed = seedWhere([below = below] { return rand() % 100 < below; });
        const CardId replacement = peek(seed, draws - 1, drawCard);
        ScriptedConsole c(keys);
        Kingdom opp = before;
        EXPECT_EQ(thieves(c.console, opp, NAMES, *keys ? 'p' : 'c'), replacement) << text;
        EXPECT_EQ(drawsSince(seed), draws) << text;
        EXPECT_EQ(fields(opp), fields(after)) << text;
        EXPECT_THAT(c.screen(), HasSubstr(text));
    }
}

TEST(DivineIntervention, DrawsTheAmountThenWrathBlessingOrUpgrade) {
    // Outcome, side, gathering before and after, sign of the change in people, narration.
    const std::tuple<int, char, CardId, CardId, int, const char*> cases[] = {
        {2, 'p', 21, 21, 0, "upgrade the units you are gathering, but notice you\nhave none.\n"},
        {2, 'p', 5, 22, 0, "Dragons spontaneously become Avatars due to Divine\nIntervention.\n"},
        {2, 'c', 22, 5, 0, "enemy Avatars have become\nDragons.\n"},
        {1, 'p', 1, 1, 1, "bring you # new followers.\n"},
        {0, 'c', 1, 1, -1, "as the gods punish the enemy.\n"}, // the computer sees no numbers
    };
    for (const auto& [outcome, side, before, after, sign, text] : cases) {
        const int seed = seedWhere([o = outcome] { return rand() >= 0 && rand() % 3 == o; });
        const std::int32_t amount = peek(seed, 0, [] { return rand() % 15000 + 30000; });
        const CardId replacement = peek(seed, 2, drawCard);
        ScriptedConsole c;
        Kingdom self = kingdom(before, 14, 20000); // wrath leaves it below zero
        EXPECT_EQ(divineIntervention(c.console, self, NAMES, side), replacement);
        EXPECT_EQ(fields(self), fields(kingdom(after, 14, 20000 + sign * amount)));
        EXPECT_THAT(c.screen(), HasSubstr(withNumber(text, amount)));
        EXPECT_TRUE(side == 'p' || c.screen().find_first_of("0123456789") == std::string::npos);
    }
}

TEST(Clerics, ConvertResurrectAndDivine) {
    for (const auto& [keys, chance, low, span, converts, text] :
         {std::tuple{"1\n", 33, 35000, 20000, true, "convert # people from the enemy.\n"},
          {"3\n", 66, 45000, 15000, false, "revive # of your slain comrades.\n"}}) {
        const int seed = seedWhere([chance = chance] { return rand() % 100 < chance; });
        const std::int32_t people = peek(seed, 1, rand) % span + low;
        ScriptedConsole c(keys);
        std::int32_t self = 100000, opp = 30000;
        Hand hand{};
        clerics(c.console, self, opp, hand, NAMES, 'p');
        EXPECT_THAT(c.screen(), HasSubstr(withNumber(text, people)));
        EXPECT_TRUE(self == 100000 + people && opp == 30000 - (converts ? people : 0));
        EXPECT_EQ(drawsSince(seed), 3);
    }
    seedWhere([] { return rand() % 100 < 50; }); // divining sorts the enemy's hand to show it
    ScriptedConsole divine("2\n");
    std::int32_t self = 1, opp = 1;
    Hand hand{26, 4, 24, 7, 23, 8, 20, 10, 18, 15, 25, 16, 4};
    clerics(divine.console, self, opp, hand, NAMES, 'p');
    EXPECT_THAT(divine.screen(),
                EndsWith("enemy has these units available:\n1. Seige Towers\n2. Seige Towers\n3. "
                         "unit of 300 \n4. unit of 500 \n5. unit of 2500 \n6. Paladins\n7. "
                         "Ballistas\n8. Thieves\n9. Clerics\n10. Time Twist\n11. Bones of Fate\n"
                         "12. Shields of Fate\n13. Summoners\n\n"));
    seedWhere([] { return rand() % 10 >= 8 && rand() % 100 < 50; }); // the computer divines,
    clerics(divine.console, self, opp, hand, NAMES, 'c');            // but touches nothing
    EXPECT_TRUE(self == 1 && opp == 1);
}

TEST(Summoners, FizzleClassesAndTheComputersOrder) {
    const CardId first = peek(11, 0, drawCard);
    ScriptedConsole c("2\n");
    Kingdom self = kingdom(CARD_NOTHING, 14, 1000), opp = kingdom(3, 15, 1000);
    EXPECT_EQ(summoners(c.console, self, opp, NAMES, 'p'), first);
    EXPECT_THAT(c.screen(), HasSubstr("doesn't work without\ngathering units first.\n"));
    EXPECT_EQ(fields(self, opp), fields(kingdom(CARD_NOTHING, 14, 1000), kingdom(3, 15, 1000)));
    // The computer defends, then gathers, then attacks; a 5 summons the strongest kind.
    self.defense = CARD_NOTHING;
    for (const auto& [gathering, defense] : {std::pair{21, 17}, {5, 17}, {21, 17}}) {
        seedWhere([] { return rand() % 6 == 5; });
        summoners(c.console, self, opp, NAMES, 'c');
        EXPECT_EQ(std::pair(self.gathering, self.defense), std::pair(gathering, defense));
    }
    EXPECT_THAT(c.screen(), HasSubstr("a unit of 5000 Dragons coming"));
    EXPECT_EQ(opp.defense, CARD_NOTHING); // the attack spent it
}

// Two kingdoms, a turn, and five days of history that differ in every entry from each other.
struct Specials : ::testing::Test {
    ScriptedConsole c{"2\n3\n"};
    Kingdom self = kingdom(CARD_NOTHING, 14, 80000), opp = kingdom(2, 13, 120000);
    History selfHistory, oppHistory;
    std::int32_t turn = 8;
    Specials() {
        for (int day = 0; day < HISTORY_DAYS; ++day) {
            selfHistory[day] = kingdom(day, 12 + day, 100000 + day, day);
            oppHistory[day] = kingdom(5 - day, 17 - day, 150000 + day, 6 + day);
        }
    }
    CardId roll(int colour, char side) {
        seedWhere([&] { return rand() % 6 == colour; });
        return bonesOfFate(c.console, self, opp, turn, NAMES, side);
    }
    CardId cast(int fate, char side) {
        seedWhere([&] { return rand() % 100 == fate; });
        return timeTwist(c.console, self, opp, turn, selfHistory, oppHistory, "Ravenholm", side);
    }
};
using BonesOfFate = Specials;
using TimeTwist = Specials;

TEST_F(BonesOfFate, OrangeMovesAgainRedShieldsYellowSwapsGreenArms) {
    for (const auto& [side, defense, ending] : {std::tuple{'p', 15, "vulnerability.\n"},
                                                {'p', 21, "lack of defenses.\n"},
                                                {'c', 15, "capitalizes on this advantage.\n"},
                                                {'c', 21, "your lack of defense.\n"}}) {
        opp.defense = defense;
        roll(1, side);
        EXPECT_TRUE(opp.defense == CARD_NOTHING && self.defense == 14);
        EXPECT_THAT(c.screen(), EndsWith(ending));
    }
    roll(0, 'c');
    EXPECT_THAT(c.screen(), EndsWith("The horizon glows with a bright shade of red.\n"));
    EXPECT_EQ(self.defense, CARD_SHIELDS_OF_FATE);
    roll(2, 'p');
    EXPECT_TRUE(self.population == 120000 && opp.population == 80000 && turn == 12);
    // Green offers a unit of 5000 first, but nothing is gathered; then Griffons.
    self = kingdom(CARD_NOTHING, 14, 80000), opp = kingdom(2, 13, 120000);
    const CardId replacement = peek(seedWhere([] { return rand() % 6 == 3; }), 1, drawCard);
    EXPECT_EQ(roll(3, 'p'), replacement);
    EXPECT_THAT(c.screen(), EndsWith("unit: \nAs you have no units being gathered, the die has "
                                     "no effect.\n"));
    EXPECT_EQ(fields(self), fields(kingdom(CARD_NOTHING, 14, 80000)));
    roll(3, 'p');
    EXPECT_EQ(self.defense, CARD_GRIFFONS);
    std::swap(self, opp); // the computer, with both slots set, attacks
    roll(3, 'c');
    EXPECT_THAT(c.screen(), HasSubstr("green.\nYou see a unit of 5000 Knights coming towards"));
    EXPECT_TRUE(self.gathering == CARD_NOTHING && self.defense == 13 && opp.defense == 21);
}

TEST_F(BonesOfFate, BlueDrawsForTheCasterFirstAndPurpleDeserts) {
    for (const char side : {'p', 'c'}) { // caster: Archers, nothing; other: nothing, Rangers
        seedWhere([] {
            return rand() % 6 == 4 && rand() % 7 == 1 && rand() % 7 == 6 && rand() % 7 == 6 &&
                   rand() % 7 == 2;
        });
        bonesOfFate(c.console, self, opp, turn, NAMES, side);
        EXPECT_EQ(fields(self, opp), fields(kingdom(1, 21, 80000), kingdom(21, 14, 120000)));
    }
    EXPECT_THAT(c.screen(), EndsWith("gathering nothing and defending with Rangers.\nYou can see "
                                     "enemy Archers gathering and notice nothing defending.\n"));
    for (const char side : {'p', 'c'}) { // purple: only an idle kingdom loses people
        for (const auto& [gathering, defense] : {std::pair{21, 21}, {3, 21}, {21, 13}}) {
            const int seed = seedWhere([] { return rand() % 6 == 5; });
            const std::int32_t loss = peek(seed, 1, [] { return rand() % 25000 + 25000; });
            const bool idle = gathering == 21 && defense == 21;
            bonesOfFate(c.console, self = kingdom(gathering, defense, 30000), opp, turn, NAMES,
                        side);
            EXPECT_EQ(fields(self), fields(kingdom(21, 21, idle ? 30000 - loss : 30000)));
        }
    }
}

TEST_F(TimeTwist, LostInTimeAnotherCommandOrALongAbsence) {
    for (const char side : {'p', 'c'}) {
        cast(0, side);
        EXPECT_EQ(self.population, side == 'p' ? 0 : -50000);
        cast(33, side);
        for (const std::int32_t casterStart : {9999, 200000}) { // caster dies, then other side
            self.population = casterStart;
            opp.population = 9999;
            cast(34, side);
            EXPECT_EQ(self.population <= 0, casterStart == 9999);
            EXPECT_TRUE(casterStart == 9999 ? opp.population == 1 : opp.population <= 0);
        }
    }
    EXPECT_THAT(c.screen(), HasSubstr("Ravenholm is missing it's Lord.\nRavenholm is easily "));
    for (const char side : {'p', 'c'}) { // both live on, each with a new hand
        const int seed = seedWhere([] { return rand() % 100 == 66; });
        const std::int32_t selfLoss = peek(seed, 1, [] { return rand() % 40000 + 10000; });
        const std::int32_t oppLoss = peek(seed, 2, [] { return rand() % 40000 + 10000; });
        Hand player{}, computer{};
        peek(seed, 3, [&] { return dealHands(player, computer), 0; });
        self = kingdom(1, 13, 200000, 23), opp = kingdom(2, 14, 210000, 9);
        cast(66, side);
        EXPECT_EQ(drawsSince(seed), 30); // the losses, the deal and the replacement
        EXPECT_EQ(fields(self, opp),
                  fields(Kingdom{1, 13, 200000 - selfLoss, side == 'p' ? player : computer},
                         Kingdom{2, 14, 210000 - oppLoss, side == 'p' ? computer : player}));
    }
    EXPECT_EQ(turn, 10);
}

TEST_F(TimeTwist, JourneyBackRestoresBothKingdomsFromEveryDepthAndTheReplacementLandsThere) {
    for (int days = 1; days <= 5; ++days) {
        for (const char side : {'p', 'c'}) {
            seedWhere([&] { return rand() % 100 == 99 && rand() % 5 == days - 1; });
            turn = 10;
            timeTwist(c.console, self, opp, turn, selfHistory, oppHistory, "Ravenholm", side);
            EXPECT_EQ(fields(self, opp), fields(selfHistory[days - 1], oppHistory[days - 1]));
            EXPECT_EQ(turn, 11);
            EXPECT_THAT(c.screen(), HasSubstr((side == 'p' ? "back in time " : "the last ") +
                                              std::to_string(days) + " days"));
        }
    }
    Match m{c.console, NAMES, "", "", {}, opp, selfHistory, oppHistory, 10, 0, false};
    m.player.hand[4] = CARD_TIME_TWIST;
    seedWhere([] { return rand() % 100 == 67 && rand() % 5 == 2; });
    Kingdom expected = selfHistory[2];
    expected.hand[4] = playFromHand(m, 'p', 4);
    EXPECT_EQ(fields(m.player, m.computer), fields(expected, oppHistory[2]));
}

} // namespace
} // namespace realmsfall
