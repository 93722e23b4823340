// The players' rules file, RMF_RULES.txt, against the game as built.
#include "cards/deck.h"
#include "driver/regions.h"
#include "support.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace realmsfall {
namespace {

const std::vector<std::string> LINES = [] {
    std::ifstream in(RULES_FILE);
    std::vector<std::string> read;
    for (std::string line; std::getline(in, line);) {
        read.push_back(line);
    }
    return read;
}();

// Every line of the rules that `pattern` matches whole.
std::vector<std::smatch> matches(const std::regex& pattern) {
    std::vector<std::smatch> found(1);
    for (const std::string& line : LINES) {
        if (std::regex_match(line, found.back(), pattern)) {
            found.emplace_back();
        }
    }
    found.pop_back();
    return found;
}

std::string nameOf(CardId card) {
    const std::string name = testing::NAMES[card].c_str();
    return name.substr(0, name.find_last_not_of(' ') + 1);
}

// The seed whose first number is `value`, so that draws can see each of the 32768 numbers once.
std::int32_t seedYielding(std::uint32_t value) {
    constexpr std::uint32_t multiplier = 214013u;
    std::uint32_t inverse = multiplier; // Newton's iteration doubles the correct low bits
    for (int i = 0; i < 5; ++i) {
        inverse *= 2u - multiplier * inverse;
    }
    return static_cast<std::int32_t>(((value << 16) - 2531011u) * inverse);
}

TEST(RulesFile, IsPlainTextForAnEightyColumnTerminalAndListsEveryRegion) {
    const auto plain = [](char c) { return c >= ' ' && c <= '~'; };
    for (const std::string& line : LINES) {
        EXPECT_LE(line.size(), 79u) << line;
        EXPECT_TRUE(std::all_of(line.begin(), line.end(), plain)) << line;
    }
    RegionTable regions;
    fillRegionTable(regions);
    for (int i = 0; i < REGION_COUNT; ++i) { // number, display name, the lower-case reply
        const std::string row = " +" + std::string(regions[2 * REGION_COUNT + i].c_str()) + " +" +
                                regions[i].c_str() + " +" + regions[REGION_COUNT + i].c_str();
        EXPECT_EQ(matches(std::regex(row)).size(), 1u) << row;
    }
}

TEST(RulesFile, NamesEveryCardWithTheGamesValueWeightAndChance) {
    std::map<CardId, int> drawn; // how many of the generator's 32768 numbers draw each card
    for (std::uint32_t value = 0; value < 32768; ++value) {
        srand(seedYielding(value));
        ++drawn[drawCard()];
    }
    for (CardId card = 0; card <= CARD_SUMMONERS; ++card) {
        const std::string name = nameOf(card);
        if (card == CARD_NOTHING || card == CARD_SHIELDS_OF_FATE) { // never dealt: only named
            EXPECT_FALSE(matches(std::regex(".*" + name + ".*")).empty()) << name;
            continue;
        }
        const int value = isOffensiveTroop(card) || card == CARD_AVATARS ? attackStrength(card)
                          : isAmount(card)                               ? amountFactor(card)
                          : isDefensiveTroop(card)                       ? defenseStrength(card)
                                                                         : -1;
        const auto rows = matches(std::regex(" +" + name + " +(\\S+) +(\\S+) +(\\S+)%"));
        ASSERT_EQ(rows.size(), 1u) << "table lines for " << name;
        EXPECT_EQ(rows[0][1], value < 0 ? "-" : std::to_string(value)) << name;
        EXPECT_EQ(rows[0][2], std::to_string(drawWeight(card))) << name;
        EXPECT_NEAR(std::stod(rows[0][3]), drawn[card] * 100.0 / 32768, 0.005) << name;
    }
}

} // namespace
} // namespace realmsfall
