#include "cards/deck.h"
#include "match/orders.h"
#include "support.h"

#include <gtest/gtest.h>

#include <string>

namespace realmsfall {
namespace {

using testing::drawsSince;
using testing::names;

TEST(TroopCasualties, DrawsAndRangesByDefense) {
    // Kills run from `low` to low + span - 1; a defended attack first needs draw % 10 < hitBelow.
    const struct {
        CardId attacker, amount, defense;
        int hitBelow, low, span;
    } cases[] = {
        {0, 6, 21, 0, 3500, 3000},      {5, 11, 21, 0, 126000, 18000},
        {22, 11, 21, 0, 147000, 21000}, {22, 11, 17, 5, 105000, 14000},
        {5, 11, 17, 5, 90000, 12000},   {5, 11, 12, 10, 90000, 12000},
        {0, 7, 12, 5, 5000, 2000},      {0, 6, 17, 0, 2500, 2000},
        {5, 11, 25, 0, 0, 1},
    };
    // Avatars fight with strength 7; (1 + 2) / 2 truncates to 1; a threshold of 0 never hits
    // but still draws the hit test; Shields of Fate let nobody die and draw nothing.
    for (const auto& c : cases) {
        for (std::int32_t seed = 0; seed < 100; ++seed) {
            srand(seed);
            std::int32_t expected = 0;
            if (c.defense == CARD_NOTHING || (c.defense != 25 && rand() % 10 < c.hitBelow)) {
                expected = c.low + rand() % c.span;
            }
            const int draws = drawsSince(seed);
            srand(seed);
            ASSERT_EQ(computeCasualties(c.attacker, c.amount, c.defense), expected)
                << c.attacker << "/" << c.amount << "/" << c.defense << " seed " << seed;
            ASSERT_EQ(drawsSince(seed), draws);
        }
    }
}

TEST(TroopOrders, AttackNarratesForBothSidesAndSpendsBothSlots) {
    struct Case {
        CardId gathering, defense, amount;
        char side;
        std::string text; // '#' stands for the casualties
    };
    const Case cases[] = {
        {2, 21, 9, 'p',
         "You have sent a unit of 1000 Knights upon your enemy.\nYour forces break through easily "
         "since there is nobody to stand in your way.\nFinding no defense, your Knights run "
         "rampant killing a total of #\nenemies.\n"},
        {2, 21, 9, 'c',
         "You see a unit of 1000 Knights coming towards your gates.\nYou have nothing to stand in "
         "their way.\nThe enemy attacks, and since you have no defense, # of your people are "
         "\neasily killed.\n"},
        {5, 12, 11, 'p',
         "You have sent a unit of 5000 Dragons upon your enemy.\nOpposing forces defend their "
         "people with Peasants.\nYour Dragons defeat the Peasants and bring about the deaths of "
         "#\npeople.\n"},
        {5, 12, 11, 'c',
         "You see a unit of 5000 Dragons coming towards your gates.\nYou have Peasants to stand "
         "in their way.\nThe attacking Dragons defeat your Peasants killing # people.\n"},
        {0, 17, 6, 'p',
         "You have sent a unit of 100 Footmen upon your enemy.\nOpposing forces defend their "
         "people with Griffons.\nThe enemy Griffons block your Footmen and send them home.\n"},
        {0, 17, 6, 'c',
         "You see a unit of 100 Footmen coming towards your gates.\nYou have Griffons to stand in "
         "their way.\nYour Griffons prevent the Footmen from causing any harm.\n"},
        {22, 25, 11, 'p',
         "You have sent a unit of 5000 Avatars upon your enemy.\nOpposing forces defend their "
         "people with Shields of Fate.\nThe enemy Shields of Fate block your Avatars and send "
         "them home.\n"},
    };
    for (const Case& c : cases) {
        srand(7);
        const std::int32_t killed = computeCasualties(c.gathering, c.amount, c.defense);
        const int casualtyDraws = drawsSince(7);
        const CardId replacement = drawCard();
        std::string text = c.text;
        if (const auto at = text.find('#'); at != std::string::npos) {
            text.replace(at, 1, std::to_string(killed));
        }
        testing::ScriptedConsole con;
        CardId gathering = c.gathering;
        CardId defense = c.defense;
        std::int32_t population = 40000; // an attack may leave it below zero
        srand(7);
        EXPECT_EQ(
            attackEnemy(con.console, gathering, defense, c.amount, population, names(), c.side),
            replacement);
        EXPECT_EQ(con.screen(), text);
        EXPECT_EQ(drawsSince(7), casualtyDraws + 1);
        EXPECT_EQ(population, 40000 - killed);
        EXPECT_EQ(gathering, CARD_NOTHING);
        EXPECT_EQ(defense, CARD_NOTHING);
    }
}

TEST(TroopOrders, GatherAndDefendReplaceTheSlotAndDrawOnce) {
    testing::ScriptedConsole con;
    CardId gathering = CARD_AVATARS;
    CardId defense = CARD_SHIELDS_OF_FATE;
    srand(11);
    const CardId first = drawCard();
    srand(11);
    EXPECT_EQ(gatherTroops(con.console, gathering, CARD_DRAGONS, names(), 'p'), first);
    EXPECT_EQ(drawsSince(11), 1);
    gatherTroops(con.console, gathering, CARD_DRAGONS, names(), 'c');
    setDefense(con.console, defense, CARD_PEASANTS, names(), 'p');
    setDefense(con.console, defense, CARD_PEASANTS, names(), 'c');
    EXPECT_EQ(drawsSince(11), 4);
    EXPECT_EQ(gathering, CARD_DRAGONS);
    EXPECT_EQ(defense, CARD_PEASANTS);
    EXPECT_EQ(con.screen(),
              "You begin gathering a unit of Dragons.\nYour scouts report a group of Dragons "
              "gathering to attack.\nYou set up some defense with a unit of Peasants.\nYour "
              "henchmen report defenses being established at the enemy holding.\n");
}

} // namespace
} // namespace realmsfall
