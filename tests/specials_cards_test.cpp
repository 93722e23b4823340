// The six special cards. Outcomes are forced by searching for a seed whose first draws give the
// wanted roll; every play must end with exactly one replacement draw.
#include "match/match.h"
#include "match/orders.h"
#include "specials/specials.h"
#include "support.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

namespace realmsfall {
namespace {

using testing::drawsSince;
using testing::names;
using testing::ScriptedConsole;

// Seeds the generator with the first seed whose opening draws satisfy `wanted`, and returns it.
template <typename Pred>
int seedWhere(Pred wanted) {
    int s = 0;
    while (srand(s), !wanted()) {
        ++s;
    }
    srand(s);
    return s;
}

// What `draw` yields after `skipped` numbers from `seed`; leaves the generator seeded again.
template <typename Draw>
auto peek(int seed, int skipped, Draw draw) {
    srand(seed);
    while (skipped-- > 0) {
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

// Every field of the given kingdoms, for comparing them whole.
template <typename... Kingdoms>
auto fields(const Kingdoms&... k) {
    return std::tuple_cat(std::tuple{k.gathering, k.defense, k.population, k.hand}...);
}

bool has(const ScriptedConsole& c, const std::string& text) {
    return c.screen().find(text) != std::string::npos;
}

TEST(Thieves, TasksAgainstEmptySlotsAndTheComputersChoice) {
    seedWhere([] { return rand() % 100 < 33; }); // disperse draws even when nobody gathers
    const auto before = randomState();
    ScriptedConsole c("1\n2\n");
    Kingdom opp = kingdom(CARD_NOTHING, CARD_NOTHING, 9);
    thieves(c.console, opp, names(), 'p');
    EXPECT_TRUE(has(c, "only to see nobody gathering.\n"));
    EXPECT_EQ(drawsSince(before), 2);
    const CardId first = peek(7, 0, drawCard); // breaking no defense draws nothing else
    EXPECT_EQ(thieves(c.console, opp, names(), 'p'), first);
    EXPECT_TRUE(has(c, "\nThe thieves found it easy to get through since no defenses were set."));
    seedWhere([] { return rand() % 100 < 33; }); // both slots set: the gathering goes
    ScriptedConsole enemy;
    thieves(enemy.console, opp = kingdom(2, 13, 9), names(), 'c');
    EXPECT_TRUE(has(enemy, "Spies have caused dissention in your Knights causing them"));
    EXPECT_EQ(fields(opp), fields(kingdom(CARD_NOTHING, 13, 9)));
    seedWhere([] { return rand() % 100 < 66; }); // nothing in the way: a harmless census
    thieves(enemy.console, opp = kingdom(CARD_NOTHING, CARD_NOTHING, 9), names(), 'c');
    EXPECT_TRUE(has(enemy, "you gave your latest census statistics to enemy spies.\n"));
    EXPECT_EQ(fields(opp), fields(kingdom(CARD_NOTHING, CARD_NOTHING, 9)));
}

TEST(DivineIntervention, DrawsBothValuesFirstUpgradesAndPunishes) {
    const auto upgrade = [] { return rand() >= 0 && rand() % 3 == 2; };
    seedWhere(upgrade);
    const auto before = randomState();
    ScriptedConsole c;
    Kingdom self = kingdom(CARD_NOTHING, 14, 20000);
    divineIntervention(c.console, self, names(), 'p');
    EXPECT_TRUE(has(c, "upgrade the units you are gathering, but notice you\nhave none.\n"));
    EXPECT_EQ(fields(self), fields(kingdom(CARD_NOTHING, 14, 20000)));
    EXPECT_EQ(drawsSince(before), 3);
    seedWhere(upgrade);
    divineIntervention(c.console, self = kingdom(CARD_DRAGONS, 14, 20000), names(), 'p');
    EXPECT_TRUE(has(c, "Dragons spontaneously become Avatars due to Divine\nIntervention.\n"));
    seedWhere(upgrade);
    divineIntervention(c.console, self, names(), 'p');
    EXPECT_EQ(self.gathering, CARD_DRAGONS);

    const int seed = seedWhere([] { return rand() >= 0 && rand() % 3 == 0; }); // wrath
    const std::int32_t amount = peek(seed, 0, [] { return rand() % 15000 + 30000; });
    ScriptedConsole wrath;
    divineIntervention(wrath.console, self = kingdom(1, 14, 20000), names(), 'c');
    EXPECT_EQ(self.population, 20000 - amount); // below zero: the match will end it
    EXPECT_EQ(wrath.screen().find_first_of("0123456789"), std::string::npos);
}

TEST(Clerics, ConvertAndDivine) {
    const int seed = seedWhere([] { return rand() % 100 < 33; });
    const std::int32_t people = peek(seed, 1, [] { return rand() % 20000 + 35000; });
    const auto before = randomState();
    ScriptedConsole c("1\n");
    std::int32_t self = 100000, opp = 30000;
    Hand hand{};
    clerics(c.console, self, opp, hand, names(), 'p');
    EXPECT_TRUE(has(c, "convert " + std::to_string(people) + " people from the enemy.\n"));
    EXPECT_TRUE(self == 100000 + people && opp == 30000 - people);
    EXPECT_EQ(drawsSince(before), 3);

    const Hand dealt{2, 9, 20, 0, 14, 7, 5, 18, 12, 6, 26, 1, 11};
    const Hand sorted{0, 1, 2, 5, 6, 7, 9, 11, 12, 14, 18, 20, 26};
    std::string list = "enemy has these units available:\n";
    for (int i = 0; i < HAND_SIZE; ++i) { // "5. unit of 100 " keeps its blank
        list += std::to_string(i + 1) + ". " + names()[sorted[i]].c_str() + "\n";
    }
    seedWhere([] { return rand() % 100 < 50; });
    ScriptedConsole divine("2\n");
    hand = dealt;
    clerics(divine.console, self = 1, opp = 1, hand, names(), 'p');
    EXPECT_EQ(hand, sorted);
    EXPECT_TRUE(divine.screen().ends_with(list + "\n"));
    seedWhere([] { return rand() % 10 >= 8 && rand() % 100 < 50; }); // the computer's divines
    clerics(divine.console, self, opp, hand = dealt, names(), 'c');  // but touches nothing
    EXPECT_TRUE(hand == dealt && self == 1 && opp == 1);
}

TEST(Summoners, FizzleClassesAndTheComputersOrder) {
    const CardId first = peek(11, 0, drawCard);
    ScriptedConsole c("2\n");
    Kingdom self = kingdom(CARD_NOTHING, 14, 1000), opp = kingdom(3, 15, 1000);
    EXPECT_EQ(summoners(c.console, self, opp, names(), 'p'), first);
    EXPECT_TRUE(has(c, "doesn't work without\ngathering units first.\n"));
    EXPECT_EQ(fields(self, opp), fields(kingdom(CARD_NOTHING, 14, 1000), kingdom(3, 15, 1000)));
    std::set<CardId> seen; // every kind of a summoned class turns up, and nothing else
    for (int seed = 0; seed < 120; ++seed) {
        srand(seed);
        ScriptedConsole summon(seed % 2 ? "1\n" : "3\n");
        summoners(summon.console, self = kingdom(21, 21, 1), opp, names(), 'p');
        seen.insert({self.gathering, self.defense});
    }
    EXPECT_EQ(seen, (std::set<CardId>{0, 1, 2, 3, 4, 5, 12, 13, 14, 15, 16, 17, CARD_NOTHING}));
    Kingdom& player = opp; // the computer defends first, then gathers, then attacks
    summoners(c.console, self = kingdom(4, CARD_NOTHING, 1000), player, names(), 'c');
    EXPECT_TRUE(isDefensiveTroop(self.defense) && self.gathering == 4);
    self.gathering = CARD_NOTHING;
    summoners(c.console, self, player, names(), 'c');
    EXPECT_TRUE(isOffensiveTroop(self.gathering));
    summoners(c.console, self, player, names(), 'c');
    EXPECT_TRUE(has(c, "coming towards your gates.\n"));
    EXPECT_TRUE(self.gathering == CARD_NOTHING && player.defense == CARD_NOTHING);
}

struct BonesOfFate : ::testing::Test {
    ScriptedConsole c{"2\n"};
    Kingdom self = kingdom(CARD_NOTHING, 14, 80000), opp = kingdom(2, 13, 120000);
    std::int32_t turn = 8;
    CardId roll(int colour, char side) {
        seedWhere([&] { return rand() % 6 == colour; });
        return bonesOfFate(c.console, self, opp, turn, names(), side);
    }
};

TEST_F(BonesOfFate, OrangeGivesAnotherTurnRedShieldsHoldYellowSwaps) {
    for (const char side : {'p', 'c'}) {
        for (const CardId defense : {CardId{15}, CARD_NOTHING}) {
            opp.defense = defense;
            roll(1, side);
            EXPECT_TRUE(opp.defense == CARD_NOTHING && self.defense == 14);
            EXPECT_TRUE(c.screen().ends_with(
                side == 'p' ? (defense == 15 ? "vulnerability.\n" : "lack of defenses.\n")
                            : (defense == 15 ? "this advantage.\n" : "your lack of defense.\n")));
        }
    }
    EXPECT_EQ(turn, 12);
    roll(0, 'c');
    EXPECT_TRUE(c.screen().ends_with("The horizon glows with a bright shade of red.\n"));
    attackEnemy(c.console, opp.gathering, self.defense, 11, self.population, names(), 'p');
    EXPECT_TRUE(self.population == 80000 && self.defense == CARD_NOTHING); // the shields held
    roll(2, 'p');
    EXPECT_TRUE(self.population == 120000 && opp.population == 80000 && turn == 12);
}

TEST_F(BonesOfFate, GreenUnitOf5000) {
    const CardId replacement = peek(seedWhere([] { return rand() % 6 == 3; }), 1, drawCard);
    EXPECT_EQ(roll(3, 'p'), replacement);
    EXPECT_TRUE(has(c, "unit: \nAs you have no units being gathered, the die has no effect.\n"));
    EXPECT_EQ(fields(self), fields(kingdom(CARD_NOTHING, 14, 80000)));
    std::swap(self, opp); // the computer, with both slots set, attacks
    roll(3, 'c');
    EXPECT_TRUE(has(c, "green.\nYou see a unit of 5000 Knights coming towards your gates.\n"));
    EXPECT_TRUE(self.gathering == CARD_NOTHING && self.defense == 13 && opp.defense == 21);
}

TEST_F(BonesOfFate, BlueDrawsForTheCasterFirstAndPurpleDeserts) {
    for (const char side : {'p', 'c'}) { // caster: Archers, nothing; other: nothing, Rangers
        seedWhere([] {
            return rand() % 6 == 4 && rand() % 7 == 1 && rand() % 7 == 6 && rand() % 7 == 6 &&
                   rand() % 7 == 2;
        });
        bonesOfFate(c.console, self, opp, turn, names(), side);
        EXPECT_EQ(fields(self, opp), fields(kingdom(1, 21, 80000), kingdom(21, 14, 120000)));
    }
    EXPECT_TRUE(has(c, "gathering Archers and defending with nothing.\nYou can see enemy nothing "
                       "gathering and notice defenses established.\n"));
    EXPECT_TRUE(has(c, "gathering nothing and defending with Rangers.\nYou can see enemy Archers "
                       "gathering and notice nothing defending.\n"));
    for (const char side : {'p', 'c'}) { // purple: only an idle kingdom loses people
        for (const bool idle : {true, false}) {
            const int seed = seedWhere([] { return rand() % 6 == 5; });
            const std::int32_t loss = peek(seed, 1, [] { return rand() % 25000 + 25000; });
            ScriptedConsole out;
            bonesOfFate(out.console, self = kingdom(idle ? 21 : 3, 21, 30000), opp, turn, names(),
                        side);
            EXPECT_EQ(fields(self), fields(kingdom(21, 21, idle ? 30000 - loss : 30000)));
            EXPECT_EQ(has(out, "You watch as " + std::to_string(loss)), idle && side == 'p');
        }
    }
}

// Every history entry differs from the others and from the present, so a wrong depth shows.
struct TimeTwist : ::testing::Test {
    Kingdom self = kingdom(1, 13, 200000, 23), opp = kingdom(2, 14, 210000, 9);
    History selfHistory, oppHistory;
    std::int32_t turn = 10;
    ScriptedConsole c;
    TimeTwist() {
        for (int day = 0; day < HISTORY_DAYS; ++day) {
            selfHistory[day] = kingdom(day, 12 + day, 100000 + day, day);
            oppHistory[day] = kingdom(5 - day, 17 - day, 150000 + day, 6 + day);
        }
    }
    CardId cast(char side) {
        return timeTwist(c.console, self, opp, turn, selfHistory, oppHistory, "Ravenholm", side);
    }
};

TEST_F(TimeTwist, LostInTimeAndAnotherCommand) {
    for (const char side : {'p', 'c'}) {
        seedWhere([] { return rand() % 100 == 0; });
        cast(side);
        EXPECT_EQ(self.population, side == 'p' ? 0 : -50000);
        seedWhere([] { return rand() % 100 == 33; });
        cast(side);
    }
    EXPECT_EQ(turn, 12);
    EXPECT_TRUE(has(c, "You find that Ravenholm is missing it's Lord.\nRavenholm is easily "));
    EXPECT_TRUE(has(c, "All you know is that Ravenholm's\nLord has returned.\n"));
}

TEST_F(TimeTwist, LongAbsence) {
    for (const char side : {'p', 'c'}) {
        for (const std::int32_t casterStart : {9999, 200000}) { // caster dies, then other side
            self.population = casterStart;
            opp.population = 9999;
            seedWhere([] { return rand() % 100 == 34; });
            cast(side);
            EXPECT_EQ(self.population <= 0, casterStart == 9999);
            EXPECT_TRUE(casterStart == 9999 ? opp.population == 1 : opp.population <= 0);
        }
        const int seed = seedWhere([] { return rand() % 100 == 66; }); // both survive
        std::int32_t selfLoss = 0, oppLoss = 0;
        Hand player{}, computer{};
        const CardId replacement = peek(seed, 1, [&] {
            selfLoss = rand() % 40000 + 10000;
            oppLoss = rand() % 40000 + 10000;
            dealHands(player, computer);
            return drawCard();
        });
        const auto before = randomState();
        self = kingdom(1, 13, 200000, 23);
        opp = kingdom(2, 14, 210000, 9);
        EXPECT_EQ(cast(side), replacement);
        EXPECT_EQ(drawsSince(before), 30);
        const Hand& selfHand = side == 'p' ? player : computer;
        const Hand& oppHand = side == 'p' ? computer : player;
        EXPECT_EQ(fields(self, opp), fields(Kingdom{1, 13, 200000 - selfLoss, selfHand},
                                            Kingdom{2, 14, 210000 - oppLoss, oppHand}));
    }
    EXPECT_TRUE(has(c, "Unfortunately even without their Lord, Ravenholm was too powerful"));
}

TEST_F(TimeTwist, JourneyBackRestoresBothKingdomsFromEveryDepth) {
    for (int days = 1; days <= 5; ++days) {
        for (const char side : {'p', 'c'}) {
            seedWhere([&] { return rand() % 100 == 99 && rand() % 5 == days - 1; });
            ScriptedConsole journey;
            timeTwist(journey.console, self, opp, turn = 10, selfHistory, oppHistory, "X", side);
            EXPECT_EQ(fields(self, opp), fields(selfHistory[days - 1], oppHistory[days - 1]));
            EXPECT_EQ(turn, 11);
            EXPECT_TRUE(has(journey, (side == 'p' ? "back in time " : "the last ") +
                                         std::to_string(days) + " days"));
        }
    }
}

TEST_F(TimeTwist, PlayedFromHandTheReplacementLandsInTheRestoredHand) {
    Match m{c.console,   names(),    "Home", "Ravenholm", self, opp,
            selfHistory, oppHistory, 10,     0,           false};
    seedWhere([] { return rand() % 100 == 67 && rand() % 5 == 2; });
    Kingdom expected = selfHistory[2];
    expected.hand[4] = playFromHand(m, 'p', 4);
    EXPECT_EQ(fields(m.player, m.computer), fields(expected, oppHistory[2]));
    EXPECT_EQ(m.turn, 11);
}

} // namespace
} // namespace realmsfall
