#include "cards/deck.h"
#include "support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

namespace realmsfall {
namespace {

using testing::drawsSince;

TEST(CardCatalogue, NamesAndDefenseLabels) {
    std::string all;
    for (int id = 0; id < 27; ++id) {
        all += std::string(testing::names()[id].c_str()) + "|";
    }
    EXPECT_EQ(all, "Footmen|Archers|Knights|Mages|Seige Towers|Dragons|unit of 100 |unit of 300 |"
                   "unit of 500 |unit of 1000 |unit of 2500 |unit of 5000 |Peasants|Pikemen|"
                   "Rangers|Paladins|Ballistas|Griffons|Thieves|Divine Intervention|Clerics|"
                   "nothing|Avatars|Time Twist|Bones of Fate|Shields of Fate|Summoners|");
    for (int id = 27; id < CARD_NAME_SLOTS; ++id) {
        EXPECT_EQ(testing::names()[id].length(), 0u) << id;
    }
    EXPECT_STREQ(defenseLabel(CARD_NOTHING).c_str(), "nothing");
    EXPECT_STREQ(defenseLabel(CARD_SHIELDS_OF_FATE).c_str(), "Established");
    EXPECT_STREQ(defenseLabel(CARD_PEASANTS).c_str(), "Established");
}

TEST(CardDeck, EveryRemainderDrawsItsCard) {
    // Upper bounds of the deck's rows; Summoners sits between Divine Intervention and Clerics.
    const int rows[][2] = {{29, 0},   {53, 1},   {72, 2},   {86, 3},   {95, 4},   {100, 5},
                           {129, 6},  {153, 7},  {172, 8},  {186, 9},  {195, 10}, {200, 11},
                           {229, 12}, {253, 13}, {272, 14}, {286, 15}, {295, 16}, {300, 17},
                           {317, 18}, {334, 19}, {350, 26}, {367, 20}, {384, 23}, {400, 24}};
    std::set<int> seen;
    for (std::int32_t seed = 0; seed < 60000 && seen.size() < 400; ++seed) {
        srand(seed);
        const int r = rand() % 400;
        srand(seed);
        const std::uint32_t before = randomState();
        const CardId card = drawCard();
        ASSERT_EQ(drawsSince(before), 1);
        const auto* row = std::find_if(std::begin(rows), std::end(rows),
                                       [r](const int* bound) { return r < bound[0]; });
        ASSERT_EQ(card, (*row)[1]) << "r = " << r;
        seen.insert(r);
    }
    EXPECT_EQ(seen.size(), 400u); // every boundary was crossed
}

TEST(CardDeck, DealAlternatesFirstHandFirst) {
    srand(17);
    CardId draws[26];
    std::generate(std::begin(draws), std::end(draws), drawCard);
    Hand first{}, second{};
    srand(17);
    dealHands(first, second);
    EXPECT_EQ(drawsSince(17), 26); // srand leaves the seed as the generator's state
    for (int i = 0; i < HAND_SIZE; ++i) {
        EXPECT_EQ(first[i], draws[2 * i]) << i;
        EXPECT_EQ(second[i], draws[2 * i + 1]) << i;
    }
}

TEST(CardDeck, SortAndFind) {
    Hand hand;
    hand.fill(CARD_BONES_OF_FATE);
    hand[4] = hand[11] = CARD_FOOTMEN;
    sortHand(hand);
    EXPECT_EQ(hand, (Hand{0, 0, 24, 24, 24, 24, 24, 24, 24, 24, 24, 24, 24}));
    hand[5] = CARD_SUMMONERS;
    hand[9] = CARD_DRAGONS;
    sortHand(hand);
    EXPECT_EQ(hand, (Hand{0, 0, 5, 24, 24, 24, 24, 24, 24, 24, 24, 24, 26}));

    hand.fill(CARD_PEASANTS);
    hand[3] = hand[9] = CARD_DRAGONS;
    EXPECT_EQ(findCard(hand, CARD_DRAGONS), 3);
    EXPECT_EQ(findCard(hand, CARD_GRIFFONS), 21);
}

} // namespace
} // namespace realmsfall
