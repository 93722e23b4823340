// The deck, the troop orders, command entry, the computer's choices, discards, whole matches.
#include "match/command.h"
#include "match/computer.h"
#include "match/discard.h"
#include "match/match.h"
#include "match/orders.h"
#include "match/play.h"
#include "specials/menu.h"
#include "support.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <tuple>
#include <vector>

namespace realmsfall {
namespace {

using namespace testing;

TEST(CardDeck, StartsAsSeededWithOneDealsAlternatelySortsAndFinds) {
    static_assert(numberOf(nextState(UNSEEDED_STATE)) == 41); // unseeded, as if seeded with 1
    srand(1);
    EXPECT_EQ(randomState(), UNSEEDED_STATE);
    Hand player{}, computer{};
    srand(17);
    dealHands(player, computer); // the first hand takes the first draw
    EXPECT_EQ(player[0], cardDrawnAfter(17, 0));
    EXPECT_EQ(computer[12], cardDrawnAfter(17, 25));
    Hand hand = handOf({24, 0, 24, 24, 0}, 24);
    sortHand(hand);
    EXPECT_EQ(hand, handOf({0, 0}, 24));
    EXPECT_EQ(findCard(hand, CARD_SUMMONERS), 21);
    EXPECT_EQ(NAMES.size(), 50u); // room for 50 names, of which the 27 kinds fill the first
    EXPECT_STREQ(defenseLabel(CARD_SHIELDS_OF_FATE).c_str(), "Established"); // any set defense
    EXPECT_STREQ(defenseLabel(CARD_NOTHING).c_str(), "nothing");
}

TEST(TroopCasualties, DrawsAndKillsByDefense) {
    // Attacker, amount, defense, the draws forced (the hit test, then the spread), killed. The hit
    // test passes below (strength + amount factor) / 2 - defense strength + 5: below 5 for Avatars
    // on Griffons and for Footmen on Peasants, always for Dragons with 5000 on Peasants, never for
    // Footmen with 100 on Griffons.
    const std::tuple<CardId, CardId, CardId, std::vector<Draw>, int> cases[] = {
        {CARD_AVATARS, CARD_UNIT_OF_5000, CARD_NOTHING, {{32768, 32767}}, 158767}, // the most
        {CARD_AVATARS, CARD_UNIT_OF_5000, CARD_GRIFFONS, {{10, 4}, {14000, 0}}, 105000},
        {CARD_DRAGONS, CARD_UNIT_OF_5000, CARD_GRIFFONS, {{10, 4}, {32768, 32767}}, 98767},
        {CARD_FOOTMEN, CARD_UNIT_OF_300, CARD_PEASANTS, {{10, 4}, {2000, 0}}, 5000},
        {CARD_FOOTMEN, CARD_UNIT_OF_300, CARD_PEASANTS, {{10, 5}}, 0},
        {CARD_DRAGONS, CARD_UNIT_OF_5000, CARD_PEASANTS, {{10, 9}, {12000, 0}}, 90000},
        {CARD_FOOTMEN, CARD_UNIT_OF_100, CARD_GRIFFONS, {{10, 0}}, 0}, // the test is drawn
    };
    for (const auto& [attacker, amount, defense, draws, killed] : cases) {
        const int seed = seedFor(draws);
        EXPECT_EQ(computeCasualties(attacker, amount, defense), killed) << seed;
        EXPECT_EQ(drawsSince(seed), static_cast<int>(draws.size())) << seed;
    }
}

TEST(MatchCommandEntry, ListsTwoColumnsRefusesAmountsWhileIdleAndAsksWhatToDiscard) {
    const Hand hand = {0, 0, 1, 2, 3, 4, 5, 6, 7, 11, 12, 19, 24};
    ScriptedConsole con("10\n15\n10\n14\n14\n0\n13\n");
    const Move discard = enterCommand(con.console, hand, CARD_NOTHING, NAMES);
    EXPECT_EQ(discard.kind, Move::DISCARD);
    EXPECT_EQ(discard.position, 12);
    const std::string no = "Invalid number, please re-enter: ";
    const std::string refusal = "\nYou cannot select and amount of units without choosing a unit\n"
                                "to gather in a prior turn.\nPlease select another unit number: ";
    EXPECT_EQ(con.screen(), "1. Footmen             \t\t8. unit of 100         \n"
                            "2. Footmen             \t\t9. unit of 300         \n"
                            "3. Archers             \t\t10. unit of 5000        \n"
                            "4. Knights             \t\t11. Peasants            \n"
                            "5. Mages               \t\t12. Divine Intervention \n"
                            "6. Seige Towers        \t\t13. Bones of Fate       \n"
                            "7. Dragons             \t\t14. Discard an unwanted unit\n"
                            "Enter the number of the unit you wish to command: " +
                                refusal + no + refusal + "Discard which unit? " + no + no);
}

TEST(MatchComputerChoice, FollowsThePriorityListAndDiscardsTheWeakest) {
    // The computer's gathering, defense and people, the player's gathering and defense, the
    // hand's first cards and the card filling the rest, and the position it plays (or
    // -1 - position when it discards).
    const std::tuple<CardId, CardId, int, CardId, CardId, std::vector<CardId>, CardId, int>
        cases[] = {
            {5, 13, 300000, 21, 21, {7, 10, 12, 10}, 12, 1},       // 1: the largest amount
            {21, 21, 300000, 21, 21, {12, 2, 0}, 6, 1},            // 2: gather the strongest
            {21, 21, 300000, 21, 13, {12, 17, 2, 17}, 6, 1},       // 3: defend first, Griffons
            {21, 13, 300000, 1, 21, {6, 1, 0, 17}, 6, 1},          // 4: gather
            {5, 13, 50001, 1, 21, {11, 19, 0}, 12, 1},             // 5: pray above 50000 people
            {5, 13, 50000, 1, 21, {11, 19}, 12, 0},                // 6: attack
            {22, 13, 200000, 1, 21, {11, 19}, 12, 0},              // Avatars: 6, not 5
            {22, 13, 49999, 1, 21, {24, 20}, 12, 1},               // 7: Clerics below 50000
            {22, 21, 50000, 1, 21, {19, 23, 18, 26}, 0, 3},        // 8: Summoners
            {22, 21, 50000, 1, 21, {19, 23, 18}, 0, 2},            // 9: Thieves
            {22, 13, 50000, 1, 21, {19, 23, 24, 20}, 12, 2},       // 10: Bones of Fate
            {22, 13, 50000, 1, 21, {19, 23, 18, 26}, 0, 1},        // 11: Time Twist, defended
            {22, 21, 50000, 21, 21, {19, 23, 18}, 0, 0},           // 14 when nobody gathers
            {22, 13, 50000, 21, 21, {18, 26, 19, 20}, 0, 3},       // 12: Clerics
            {22, 13, 50000, 21, 21, {18, 26, 19}, 0, 1},           // 13: Summoners
            {21, 13, 50000, 21, 21, {18, 19}, 6, 1},               // 14: Divine Intervention
            {21, 13, 50000, 21, 21, {18}, 6, 0},                   // 15: Thieves
            {21, 21, 50000, 21, 21, {23}, 6, 0},                   // 16: Time Twist
            {21, 13, 300000, 21, 21, {11, 10, 7, 6, 9, 6}, 8, -4}, // nothing: the smallest goes
            {21, 13, 300000, 21, 21, {11, 12, 10, 12}, 11, -2},    // Peasants go first
        };
    for (const auto& [gathering, defense, people, playerGathering, playerDefense, front, filler,
                      expected] : cases) {
        const Kingdom own{gathering, defense, people, handOf(front, filler)};
        const Move move = chooseComputerMove(own, playerGathering, playerDefense);
        EXPECT_EQ(move.kind == Move::PLAY ? move.position : -1 - move.position, expected)
            << ::testing::PrintToString(front);
    }
}

// A match whose computer holds the given hand and whose player's received card is Thieves.
Match matchWith(Console& console, const Hand& computerHand) {
    Match match{console, NAMES, "Pongi", "Ravenholm", {}, {}, {}, {}, 1, CARD_THIEVES, false};
    match.player = {21, 21, 300000, handOf({}, 12)};
    match.computer = {21, 13, 300000, computerHand};
    return match;
}

TEST(MatchMoves, TheComputerPlaysOrDiscardsAndThePlayerReceivesTheNewCard) {
    ScriptedConsole con;
    Match match = matchWith(con.console, handOf({11, 10, 7, 6, 9, 6}, 8)); // nothing to play
    const CardId replacement = (srand(5), drawCard());
    srand(5);
    applyMove(match, SIDE_COMPUTER, chooseComputerMove(match.computer, 21, 21));
    EXPECT_EQ(match.computer.hand, handOf({11, 10, 7, replacement, 9, 6}, 8));
    EXPECT_EQ(drawsSince(5), 1);
    EXPECT_EQ(match.receivedCard, CARD_THIEVES);
    EXPECT_FALSE(match.refreshReceived);
    EXPECT_EQ(con.screen(), "You see unwanted troops leaving the enemies camp.\n");
    // The player names the card to throw away, and receives the new one.
    ScriptedConsole player;
    Match playing = matchWith(player.console, {});
    playing.player.hand = {0, 1, 2, 6, 12, 13, 18, 19, 20, 23, 24, 26, 17};
    srand(5);
    applyMove(playing, SIDE_PLAYER, {Move::DISCARD, 12});
    EXPECT_EQ(player.screen(), "You have discarded your Griffons\n");
    EXPECT_EQ(playing.player.hand[12], replacement);
    EXPECT_EQ(playing.receivedCard, replacement);
    EXPECT_EQ(computerDiscardPosition(handOf({26, 23, 20, 24}, 26)), 2); // specials: Clerics
    // The player's turn starts with the last card of the hand after the computer's Time Twist,
    // and records the kingdom in the history, newest first.
    playing.player.hand[12] = CARD_CLERICS;
    playing.refreshReceived = true;
    startPlayerTurn(playing);
    EXPECT_EQ(playing.receivedCard, CARD_CLERICS);
    EXPECT_FALSE(playing.refreshReceived);
    EXPECT_TRUE(alive(Kingdom{21, 21, 1, {}}));
    EXPECT_FALSE(alive(Kingdom{21, 21, 0, {}}));
    for (int day = 1; day <= HISTORY_DAYS; ++day) {
        playing.player.population = day;
        startPlayerTurn(playing);
    }
    EXPECT_EQ(playing.playerHistory[0].population, 5);
    EXPECT_EQ(playing.playerHistory[4].population, 1);
}

TEST(WholeMatches, TheCoinDecidesWhoMovesFirstAndAPopulationOfZeroHasLost) {
    // Populations and the coin come first; then the first mover's Time Twist is fatal to it.
    const int seed = seedFor({ANY_DRAW, ANY_DRAW, {2, 1}, {100, 0}});
    const std::int32_t player = rand() % 50000 + 275000, computer = rand() % 50000 + 275000;
    const Hand twists = handOf({}, CARD_TIME_TWIST);
    ScriptedConsole won("H\nHeads\nh extra words\n13\n"), lost("tails\n");
    srand(seed);
    EXPECT_EQ(playMatch(won.console, twists, twists, NAMES, "Dragonridge", "Evermist"), computer);
    srand(seed);
    EXPECT_EQ(playMatch(lost.console, twists, twists, NAMES, "Pongi", "Evermist"), -50000);
    const std::string again = "Please choose either heads or tails: ";
    EXPECT_THAT(
        won.screen(),
        ::testing::StartsWith("Call heads or tails: " + again + again +
                              "\nYou have called heads and the coin landed on heads.\nYou have won "
                              "the toss and will play first.\n\nPopulation: " +
                              std::to_string(player) +
                              "\nDragonridge    - Gathering : nothing        Defenses : nothing\n"
                              "Evermist       - Gathering : nothing        Defenses : nothing\n"
                              "You received: Time Twist\nYour hand:\n"));
    EXPECT_THAT(won.screen(),
                ::testing::EndsWith("past your death.\n\nYour Kingdom of Dragonridge lies in "
                                    "ruins.\n"));
    EXPECT_EQ(lost.screen(), "Call heads or tails: \nYou have called tails and the coin landed on "
                             "heads.\nYou have lost the toss and the Lord of Evermist will play "
                             "first.\nYou find that Evermist is missing it's Lord.\nEvermist is "
                             "easily defeated without leadership, you crush the enemy quickly.\n"
                             "\nYou stand victorious over the Kingdom of Evermist.\n");
}

// Where asserts are on, an index one past the end, or a kind that is none, stops the game.
TEST(Asserts, GuardEveryIndex) {
#ifdef NDEBUG
    GTEST_SKIP() << "asserts are off in this build";
#endif
    String text("ab");
    Hand hand = handOf({}, CARD_FOOTMEN);
    ScriptedConsole con;
    Match match = matchWith(con.console, hand);
    EXPECT_DEATH(text[2], "");
    EXPECT_DEATH(cardAt(hand, HAND_SIZE), "");
    EXPECT_DEATH(nameOf(NAMES, CARD_SUMMONERS + 1), "");
    EXPECT_DEATH(applyMove(match, SIDE_COMPUTER, {Move::PLAY, HAND_SIZE}), "");
    EXPECT_DEATH(chooseFromMenu(con.console, "", {"a", "b", "c"}, "", MENU_CHOICES), "");
    hand[3] = CARD_SUMMONERS + 1;
    EXPECT_DEATH(sortHand(hand), "");
}

} // namespace
} // namespace realmsfall
