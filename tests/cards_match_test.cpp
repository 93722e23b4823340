// The deck, the troop orders, command entry, the computer's choices, discards, a match's start.
#include "match/command.h"
#include "match/computer.h"
#include "match/discard.h"
#include "match/orders.h"
#include "support.h"

#include <algorithm>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <tuple>
#include <vector>

namespace realmsfall {
namespace {

using namespace testing;
using ::testing::HasSubstr;
using ::testing::StartsWith;

Hand handOf(const std::vector<CardId>& front, CardId filler) {
    Hand hand;
    hand.fill(filler);
    std::copy(front.begin(), front.end(), hand.begin());
    return hand;
}

TEST(CardDeck, EveryRemainderDrawsItsCardAndDealsAlternate) {
    // Upper bounds of the deck's rows; Summoners sits between Divine Intervention and Clerics.
    const int rows[][2] = {{29, 0},   {53, 1},   {72, 2},   {86, 3},   {95, 4},   {100, 5},
                           {129, 6},  {153, 7},  {172, 8},  {186, 9},  {195, 10}, {200, 11},
                           {229, 12}, {253, 13}, {272, 14}, {286, 15}, {295, 16}, {300, 17},
                           {317, 18}, {334, 19}, {350, 26}, {367, 20}, {384, 23}, {400, 24}};
    int first = 0; // the first and the last remainder of each row
    for (const auto& [upper, card] : rows) {
        for (const int r : {first, upper - 1}) {
            seedWhere([r] { return rand() % 400 == r; });
            EXPECT_EQ(drawCard(), card) << r;
        }
        first = upper;
    }
    Hand player{}, computer{}; // a deal alternates, the first hand first
    srand(17);
    dealHands(player, computer);
    EXPECT_EQ(drawsSince(17), 26);
    srand(17);
    for (int i = 0; i < HAND_SIZE; ++i) {
        EXPECT_TRUE(player[i] == drawCard() && computer[i] == drawCard()) << i;
    }
}

TEST(TroopCasualties, DrawsAndRangesByDefense) {
    // Attacker, amount, defense; a defense falls when draw % 10 < hitBelow (never for 0, which
    // still draws), then kills range from `low` over `span` values; Shields of Fate draw nothing.
    const std::tuple<CardId, CardId, CardId, int, int, int> cases[] = {
        {0, 6, 21, 0, 3500, 3000},      {5, 11, 21, 0, 126000, 18000},
        {22, 11, 21, 0, 147000, 21000}, {22, 11, 17, 5, 105000, 14000},
        {5, 11, 17, 5, 90000, 12000},   {5, 11, 12, 10, 90000, 12000},
        {0, 7, 12, 5, 5000, 2000},      {0, 6, 17, 0, 2500, 2000},
        {5, 11, 25, 0, 0, 1},
    };
    for (const auto& [attacker, amount, defense, hitBelow, low, span] : cases) {
        for (std::int32_t seed = 0; seed < 100 * 40009; seed += 40009) { // spread first draws
            srand(seed);
            std::int32_t expected = 0;
            if (defense == CARD_NOTHING || (defense != 25 && rand() % 10 < hitBelow)) {
                expected = low + rand() % span;
            }
            const int draws = drawsSince(seed);
            srand(seed);
            ASSERT_EQ(computeCasualties(attacker, amount, defense), expected) << seed;
            ASSERT_EQ(drawsSince(seed), draws);
        }
    }
}

TEST(TroopOrders, GatherDefendOrAttackForEitherSide) {
    // Gathering, enemy defense, card played, side, how the narration ends ('#': casualties).
    const std::tuple<CardId, CardId, CardId, char, const char*> cases[] = {
        {22, 21, 5, 'p', "You begin gathering a unit of Dragons.\n"},
        {22, 21, 5, 'c', "Your scouts report a group of Dragons gathering to attack.\n"},
        {22, 21, 12, 'p', "You set up some defense with a unit of Peasants.\n"},
        {2, 21, 9, 'p',
         "You have sent a unit of 1000 Knights upon your enemy.\nYour forces break through easily "
         "since there is nobody to stand in your way.\nFinding no defense, your Knights run "
         "rampant killing a total of #\nenemies.\n"},
        {2, 21, 9, 'c',
         "You see a unit of 1000 Knights coming towards your gates.\nYou have nothing to stand in "
         "their way.\nThe enemy attacks, and since you have no defense, # of your people are "
         "\neasily killed.\n"},
        {5, 12, 11, 'p',
         "with Peasants.\nYour Dragons defeat the Peasants and bring about the deaths of "
         "#\npeople.\n"},
        {5, 12, 11, 'c', "The attacking Dragons defeat your Peasants killing # people.\n"},
        {0, 17, 6, 'p', "The enemy Griffons block your Footmen and send them home.\n"},
        {0, 17, 6, 'c', "Your Griffons prevent the Footmen from causing any harm.\n"},
    };
    for (const auto& [gathering, defense, card, side, text] : cases) {
        srand(7);
        const bool attack = isAmount(card);
        const std::int32_t killed = attack ? computeCasualties(gathering, card, defense) : 0;
        const CardId replacement = drawCard();
        ScriptedConsole c;
        Kingdom self{gathering, 25, 0, {}}, opp{21, defense, 40000, {}};
        srand(7);
        EXPECT_EQ(playTroopCard(c.console, self, opp, card, NAMES, side), replacement);
        EXPECT_THAT(c.screen(), ::testing::EndsWith(withNumber(text, killed)));
        // An attack spends the attackers and the defense that met them, even when it held.
        EXPECT_EQ(opp.population, 40000 - killed);
        EXPECT_EQ(self.gathering, attack ? CARD_NOTHING : isOffensiveTroop(card) ? card : 22);
        EXPECT_EQ(self.defense, isDefensiveTroop(card) ? card : CARD_SHIELDS_OF_FATE);
        EXPECT_EQ(opp.defense, attack ? CARD_NOTHING : defense);
    }
}

TEST(MatchCommandEntry, ListsTwoColumnsAndRefusesAmountsWhileIdle) {
    const Hand hand = {0, 0, 1, 2, 3, 4, 5, 6, 7, 11, 12, 19, 24};
    ScriptedConsole con("10\n15\n10\n14\n");
    con.out << std::left;
    EXPECT_EQ(enterCommand(con.console, hand, CARD_NOTHING, NAMES), DISCARD_COMMAND);
    const std::string refusal = "\nYou cannot select and amount of units without choosing a unit\n"
                                "to gather in a prior turn.\nPlease select another unit number: ";
    EXPECT_THAT(con.screen(), StartsWith("1. Footmen             \t\t8. unit of 100         \n"));
    EXPECT_THAT(con.screen(),
                HasSubstr("\n7. Dragons             \t\t14. Discard an unwanted unit\n"
                          "Enter the number of the unit you wish to command: " +
                          refusal + "Invalid number, please re-enter: " + refusal));
    ScriptedConsole later("10\n"), twin("2\n");
    EXPECT_EQ(enterCommand(later.console, hand, CARD_FOOTMEN, NAMES), 9);
    EXPECT_EQ(enterCommand(twin.console, hand, CARD_NOTHING, NAMES), 1);
}

TEST(MatchComputerChoice, FollowsThePriorityList) {
    const Kingdom idle{21, 21, 300000, {}}, gathering{1, 21, 300000, {}};
    // Gathering while the player is not: the largest amount goes out.
    EXPECT_EQ(chooseComputerCard({5, 13, 300000, handOf({7, 10, 12, 10}, 12)}, idle), 1);
    // Nothing anywhere: gather Knights before any defense; against a defended player, defend.
    const Hand mixed = handOf({12, 2, 0}, 6);
    EXPECT_EQ(chooseComputerCard({21, 21, 300000, mixed}, idle), 1);
    EXPECT_EQ(chooseComputerCard({21, 21, 300000, mixed}, {21, 13, 300000, {}}), 0);
    // Divine Intervention wants more than 50000 people, Clerics fewer than 50000.
    EXPECT_EQ(chooseComputerCard({5, 13, 50001, handOf({11, 19}, 12)}, gathering), 1);
    EXPECT_EQ(chooseComputerCard({5, 13, 50000, handOf({11, 19}, 12)}, gathering), 0);
    EXPECT_EQ(chooseComputerCard({22, 13, 50000, handOf({20, 23}, 12)}, gathering), 1);
    EXPECT_EQ(chooseComputerCard({22, 13, 49999, handOf({20, 23}, 12)}, gathering), 0);
    // Avatars with 200000 people: Bones of Fate, then Clerics, come before the prayer.
    EXPECT_EQ(chooseComputerCard({22, 13, 200000, handOf({19, 20, 24}, 12)}, gathering), 2);
    EXPECT_EQ(chooseComputerCard({22, 13, 200000, handOf({19, 20}, 12)}, gathering), 1);
    EXPECT_EQ(chooseComputerCard({22, 13, 200000, handOf({19}, 12)}, gathering), 0);
    // Time Twist comes early only behind a defense.
    EXPECT_EQ(chooseComputerCard({22, 13, 200000, handOf({19, 23}, 0)}, gathering), 1);
    EXPECT_EQ(chooseComputerCard({22, 21, 200000, handOf({19, 23}, 0)}, gathering), 0);
    // Only amounts, nothing gathered, a defense set: nothing to play.
    EXPECT_EQ(chooseComputerCard({21, 13, 300000, handOf({11, 6}, 8)}, idle), NOT_IN_HAND);
}

TEST(MatchDiscard, TheComputerPlaysOrDropsTheWeakestAndThePlayerNamesOne) {
    ScriptedConsole con;
    Match m{con.console, NAMES, "", "", {1, 21, 300000, {}}, {}, {}, {}, 1, CARD_THIEVES, false};
    m.computer = {2, 21, 300000, handOf({12, 17, 13, 17}, 18)};
    const CardId replacement = (srand(5), drawCard());
    srand(5);
    EXPECT_FALSE(chooseComputerPlay(m)); // the first of the twin Griffons
    EXPECT_EQ(m.computer.defense, CARD_GRIFFONS);
    EXPECT_EQ(m.computer.hand, handOf({12, replacement, 13, 17}, 18));
    m.computer = {21, 13, 300000, handOf({11, 10, 7, 6, 9, 6}, 8)}; // nothing to play
    srand(5);
    EXPECT_FALSE(chooseComputerPlay(m));
    EXPECT_EQ(m.computer.hand, handOf({11, 10, 7, replacement, 9, 6}, 8));
    EXPECT_EQ(drawsSince(5), 1);
    EXPECT_EQ(m.receivedCard, CARD_THIEVES);
    EXPECT_EQ(con.screen(), "Your henchmen report defenses being established at the enemy "
                            "holding.\nYou see unwanted troops leaving the enemies camp.\n");
    m.computer.hand = handOf({}, CARD_TIME_TWIST);
    EXPECT_TRUE(chooseComputerPlay(m));
    // It discards by a list, weakest first: of two neighbours on it, the earlier always goes.
    const CardId order[] = {12, 13, 6,  0, 14, 7, 1,  15, 8,  2,  16, 9,
                            3,  17, 10, 4, 11, 5, 18, 19, 20, 23, 24, 26};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        EXPECT_EQ(computerDiscardPosition(handOf({order[i + 1], order[i]}, 26)), 1) << order[i];
    }
    EXPECT_EQ(computerDiscardPosition(handOf({18, 12, 5, 12}, 24)), 1);
    // The player names the card to throw away, and receives the new one.
    Hand hand = {0, 1, 2, 6, 12, 13, 18, 19, 20, 23, 24, 26, 17};
    ScriptedConsole player("14\n0\nfive\n13\n");
    srand(5);
    discardCard(player.console, hand, m.receivedCard, NAMES, 'p');
    const std::string no = "Invalid number, please re-enter: ";
    EXPECT_EQ(player.screen(),
              "Discard which unit? " + no + no + no + "You have discarded your Griffons\n");
    EXPECT_TRUE(hand[12] == replacement && m.receivedCard == replacement);
    EXPECT_EQ(drawsSince(5), 1);
}

TEST(MatchTurns, ThePlayersTurnRecordsHistoryAndCatchesUpAfterTheComputersTimeTwist) {
    ScriptedConsole con;
    Match m{con.console, NAMES, "", "", {21, 21, 300000, handOf({}, 12)}, {}, {}, {}, 0, 18, false};
    m.player.hand[12] = CARD_CLERICS;
    startPlayerTurn(m);
    EXPECT_EQ(m.receivedCard, CARD_THIEVES); // no Time Twist: the last card received stays
    m.refreshReceived = true;
    startPlayerTurn(m);
    EXPECT_EQ(m.receivedCard, CARD_CLERICS); // the hand's last card as it now stands
    EXPECT_FALSE(m.refreshReceived);
    for (int day = 1; day <= HISTORY_DAYS; ++day) {
        m.player.population = day;
        startPlayerTurn(m);
    }
    for (int day = 0; day < HISTORY_DAYS; ++day) { // newest first, the oldest gone
        EXPECT_EQ(m.playerHistory[day].population, HISTORY_DAYS - day) << day;
    }
}

TEST(MatchStart, DrawsPopulationsThenTheCoinAndTakesOnlyTheCall) {
    const int seed = seedWhere([] { return rand(), rand(), rand() % 2 == 1; }); // heads
    const std::int32_t player = rand() % 50000 + 275000, computer = rand() % 50000 + 275000;
    // Only a call's word is taken; then the computer gathers Dragons and attacks until it wins.
    std::string keys = "H\nHeads\nh extra words\n";
    for (int turn = 0; turn < 12; ++turn) {
        keys += "14\n1\n\n\n";
    }
    ScriptedConsole con(keys);
    srand(seed);
    EXPECT_EQ(playMatch(con.console, {12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 17},
                        handOf({5, 5, 5, 5, 5, 5}, 11), NAMES, "Dragonridge", "Evermist"),
              computer);
    const std::string again = "Please choose either heads or tails: ";
    EXPECT_THAT(con.screen(),
                StartsWith("Call heads or tails: " + again + again +
                           "\nYou have called heads and the coin landed on heads.\nYou have won "
                           "the toss and will play first.\n\nPopulation: " +
                           std::to_string(player) +
                           "\nDragonridge    - Gathering : nothing        Defenses : nothing\n"
                           "Evermist       - Gathering : nothing        Defenses : nothing\n"
                           "You received: Griffons\n"));
    EXPECT_THAT(con.screen(), ::testing::Not(HasSubstr("Invalid")));
    EXPECT_STREQ(defenseLabel(CARD_SHIELDS_OF_FATE).c_str(), "Established"); // a set defense
}

} // namespace
} // namespace realmsfall
