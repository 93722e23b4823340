#include "match/command.h"
#include "match/computer.h"
#include "match/discard.h"
#include "support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace realmsfall {
namespace {

using testing::drawsSince;
using testing::names;
using testing::ScriptedConsole;

// `front` in the first positions, `filler` in the rest.
Hand handOf(const std::vector<CardId>& front, CardId filler) {
    Hand hand;
    hand.fill(filler);
    std::copy(front.begin(), front.end(), hand.begin());
    return hand;
}

TEST(MatchCommandEntry, ListsTwoColumnsAndRefusesAmountsWhileIdle) {
    const Hand hand = {0, 0, 1, 2, 3, 4, 5, 6, 7, 11, 12, 19, 24};
    ScriptedConsole con("10\n15\n10\n14\n");
    con.out << std::left;
    EXPECT_EQ(enterCommand(con.console, hand, CARD_NOTHING, names()), DISCARD_COMMAND);
    const std::string refusal = "\nYou cannot select and amount of units without choosing a unit\n"
                                "to gather in a prior turn.\nPlease select another unit number: ";
    const std::string screen = con.screen();
    EXPECT_EQ(screen.rfind("1. Footmen             \t\t8. unit of 100         \n", 0), 0u);
    EXPECT_NE(screen.find("\n5. Mages               \t\t12. Divine Intervention \n6. Seige"),
              std::string::npos);
    EXPECT_NE(screen.find("\n7. Dragons             \t\t14. Discard an unwanted unit\nEnter the "
                          "number of the unit you wish to command: " +
                          refusal + "Invalid number, please re-enter: " + refusal),
              std::string::npos);
    ScriptedConsole later("10\n"), twin("2\n");
    EXPECT_EQ(enterCommand(later.console, hand, CARD_FOOTMEN, names()), 9);
    EXPECT_EQ(enterCommand(twin.console, hand, CARD_NOTHING, names()), 1);
}

TEST(MatchComputerChoice, FollowsThePriorityList) {
    const Kingdom idle{21, 21, 300000, {}};
    const Kingdom gathering{1, 21, 300000, {}};
    // Gathering while the player is not: the largest amount goes out.
    EXPECT_EQ(chooseComputerCard({5, 13, 300000, handOf({7, 10, 12, 10}, 12)}, idle), 1);
    // Nothing anywhere: gather Knights before any defense; against a defended player, defend.
    const Hand mixed = handOf({12, 2, 0}, 6);
    EXPECT_EQ(chooseComputerCard({21, 21, 300000, mixed}, idle), 1);
    EXPECT_EQ(chooseComputerCard({21, 21, 300000, mixed}, {21, 13, 300000, {}}), 0);
    EXPECT_EQ(findStrongest(mixed, "anything"), 3); // read as "num"
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

TEST(MatchComputerChoice, PlaysTheLowerOfTwinsOrDiscardsTheWeakest) {
    ScriptedConsole con;
    const Kingdom player{1, 21, 300000, {}};
    const Kingdom computer{2, 21, 300000, handOf({12, 17, 13, 17}, 18)};
    Match m{con.console, names(), "A", "B", player, computer, {}, {}, 1, CARD_THIEVES, false};
    srand(5);
    const CardId replacement = drawCard();
    srand(5);
    EXPECT_FALSE(chooseComputerPlay(m));
    EXPECT_EQ(m.computer.defense, CARD_GRIFFONS);
    EXPECT_EQ(m.computer.hand, handOf({12, replacement, 13, 17}, 18));

    m.computer = {21, 13, 300000, handOf({11, 10, 7, 6, 9, 6}, 8)};
    srand(5);
    EXPECT_FALSE(chooseComputerPlay(m));
    EXPECT_EQ(m.computer.hand, handOf({11, 10, 7, replacement, 9, 6}, 8));
    EXPECT_EQ(drawsSince(5), 1);
    EXPECT_EQ(m.receivedCard, CARD_THIEVES);
    EXPECT_EQ(con.screen(), "Your henchmen report defenses being established at the enemy "
                            "holding.\nYou see unwanted troops leaving the enemies camp.\n");
}

TEST(MatchDiscard, ComputerDropsByItsPreferenceList) {
    const std::vector<CardId> order = {12, 13, 6,  0, 14, 7, 1,  15, 8,  2,  16, 9,
                                       3,  17, 10, 4, 11, 5, 18, 19, 20, 23, 24, 26};
    for (const auto start : {order.begin(), order.begin() + 12}) {
        Hand hand = handOf({}, CARD_SUMMONERS); // last on the list, never in the way
        std::reverse_copy(start, start + 12, hand.begin());
        for (auto kind = start; kind != start + 12; ++kind) {
            const int position = computerDiscardPosition(hand);
            ASSERT_EQ(hand[position], *kind);
            hand[position] = CARD_SUMMONERS;
        }
    }
    EXPECT_EQ(computerDiscardPosition(handOf({18, 12, 5, 12}, 24)), 1);
}

TEST(MatchDiscard, PlayerNamesTheCardAndReceivesTheNewOne) {
    Hand hand = {0, 1, 2, 6, 12, 13, 18, 19, 20, 23, 24, 26, 17};
    ScriptedConsole con("14\n0\nfive\n3\n");
    srand(9);
    const CardId replacement = drawCard();
    srand(9);
    CardId received = CARD_THIEVES;
    discardCard(con.console, hand, received, names(), 'p');
    const std::string again = "Invalid number, please re-enter: ";
    EXPECT_EQ(con.screen(),
              "Discard which unit? " + again + again + again + "You have discarded your Knights\n");
    EXPECT_EQ(hand[2], replacement);
    EXPECT_EQ(received, replacement);
    EXPECT_EQ(drawsSince(9), 1);
}

// The computer gathers Dragons and attacks with "unit of 5000 " while the player only discards,
// so the match always ends within three attacks.
TEST(MatchStart, DrawsPopulationsThenCoinAndTossesIt) {
    for (const int face : {1, 0}) {
        std::int32_t seed = -1;
        do { // a seed whose third draw gives the wanted face
            srand(++seed);
        } while ((rand(), rand(), rand() % 2) != face);
        srand(seed);
        const std::string population = std::to_string(rand() % 50000 + 275000);
        const std::int32_t computer = rand() % 50000 + 275000;
        std::string script = face == 1 ? "H\nHeads\nh extra words\n" : "h\n\n";
        for (int turn = 0; turn < 8; ++turn) {
            script += "14\n1\n\n\n";
        }
        ScriptedConsole con(script);
        srand(seed);
        const Hand player = {12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 17};
        EXPECT_EQ(playMatch(con.console, player, handOf({5, 5, 5, 5, 5, 5}, 11), names(),
                            "Dragonridge", "Evermist"),
                  computer);
        const std::string again = "Please choose either heads or tails: ";
        const std::string opening =
            face == 1 ? "Call heads or tails: " + again + again +
                            "\nYou have called heads and the coin landed on heads.\nYou have won "
                            "the toss and will play first.\n"
                      : "Call heads or tails: \nYou have called heads and the coin landed on "
                        "tails.\nYou have lost the toss and the Lord of Evermist will play "
                        "first.\nYour scouts report a group of Dragons gathering to attack.\n";
        const std::string screen = con.screen();
        const std::string status = "\nPopulation: " + population +
                                   "\nDragonridge    - Gathering : nothing        Defenses : "
                                   "nothing\nEvermist       - Gathering : ";
        EXPECT_EQ(screen.rfind(opening + status, 0), 0u) << screen;
        EXPECT_NE(screen.find("\nYou received: Griffons\nYour hand:\n"), std::string::npos);
        const std::string end = "\nYour Kingdom of Dragonridge lies in ruins.\n";
        EXPECT_EQ(screen.substr(screen.size() - end.size()), end);
    }
}

} // namespace
} // namespace realmsfall
