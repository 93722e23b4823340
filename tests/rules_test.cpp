// The players' rules file, RMF_RULES.txt, against the game as built: every card and region is
// named, the unit tables carry the game's own values and draw chances, and the worked battles
// come out as the casualty count says.
#include "cards/deck.h"
#include "driver/regions.h"
#include "match/orders.h"
#include "support.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace realmsfall {
namespace {

using testing::NAMES;

const std::vector<std::string>& rulesLines() {
    static const std::vector<std::string> lines = [] {
        std::ifstream in(RULES_FILE);
        std::vector<std::string> read;
        for (std::string line; std::getline(in, line);) {
            read.push_back(line);
        }
        return read;
    }();
    return lines;
}

std::string trimmedName(CardId card) {
    std::string name = NAMES[card].c_str();
    while (!name.empty() && name.back() == ' ') {
        name.pop_back();
    }
    return name;
}

// The fields after the name on the one unit-table line of `card`: a line that starts, after
// its indent, with the name and two blanks. Empty when there is no such line, or several.
std::vector<std::string> tableFields(CardId card) {
    const std::string lead = trimmedName(card) + "  ";
    std::vector<std::string> found;
    int matches = 0;
    for (const std::string& line : rulesLines()) {
        const auto start = line.find_first_not_of(' ');
        if (start == 0 || start == std::string::npos || line.compare(start, lead.size(), lead)) {
            continue;
        }
        ++matches;
        std::istringstream rest(line.substr(start + lead.size()));
        found.assign(std::istream_iterator<std::string>(rest), {});
    }
    return matches == 1 ? found : std::vector<std::string>{};
}

// A generator state whose next number is `value`, so that one draw can be made to see any of
// the 32768 numbers the generator hands out, each exactly once.
std::int32_t seedYielding(std::uint32_t value) {
    constexpr std::uint32_t multiplier = 214013u;
    std::uint32_t inverse = multiplier; // Newton's iteration doubles the correct low bits
    for (int i = 0; i < 5; ++i) {
        inverse *= 2u - multiplier * inverse;
    }
    return static_cast<std::int32_t>(((value << 16) - 2531011u) * inverse);
}

TEST(RulesFile, IsPlainTextForAnEightyColumnTerminal) {
    ASSERT_GT(rulesLines().size(), 100u) << RULES_FILE;
    for (std::size_t i = 0; i < rulesLines().size(); ++i) {
        const std::string& line = rulesLines()[i];
        EXPECT_LE(line.size(), 79u) << "line " << i + 1;
        EXPECT_TRUE(
            std::all_of(line.begin(), line.end(), [](char c) { return c >= ' ' && c <= '~'; }))
            << "line " << i + 1;
    }
}

TEST(RulesFile, NamesEveryCardAndListsEveryRegionWithTheRepliesItAccepts) {
    std::string text;
    for (const std::string& line : rulesLines()) {
        text += line + '\n';
    }
    for (CardId card = 0; card <= CARD_SUMMONERS; ++card) {
        EXPECT_NE(text.find(trimmedName(card)), std::string::npos) << trimmedName(card);
    }
    RegionTable regions;
    fillRegionTable(regions);
    for (int i = 0; i < REGION_COUNT; ++i) {
        // Number, display name and lower-case name on one line of the region table.
        const std::regex row(" +" + std::string(regions[2 * REGION_COUNT + i].c_str()) + " +" +
                             regions[i].c_str() + " +" + regions[REGION_COUNT + i].c_str());
        EXPECT_EQ(
            std::count_if(rulesLines().begin(), rulesLines().end(),
                          [&](const std::string& line) { return std::regex_match(line, row); }),
            1)
            << regions[i].c_str();
    }
}

TEST(RulesFile, UnitTablesGiveEachCardsValueWeightAndChanceAsTheGameHasThem) {
    std::map<CardId, int> drawn; // how many of the generator's 32768 numbers draw each card
    for (std::uint32_t value = 0; value < 32768; ++value) {
        srand(seedYielding(value));
        ++drawn[drawCard()];
    }
    for (CardId card = 0; card <= CARD_SUMMONERS; ++card) {
        if (card == CARD_NOTHING || card == CARD_SHIELDS_OF_FATE) {
            continue; // no table line: neither stands in a hand or attacks
        }
        const std::vector<std::string> fields = tableFields(card);
        ASSERT_EQ(fields.size(), 3u) << trimmedName(card);
        std::string value = "-";
        if (isOffensiveTroop(card) || card == CARD_AVATARS) {
            value = std::to_string(attackStrength(card));
        } else if (isAmount(card)) {
            value = std::to_string(amountFactor(card));
        } else if (isDefensiveTroop(card)) {
            value = std::to_string(defenseStrength(card));
        }
        EXPECT_EQ(fields[0], value) << trimmedName(card);
        EXPECT_EQ(fields[1], std::to_string(drawWeight(card))) << trimmedName(card);
        ASSERT_EQ(fields[2].back(), '%') << trimmedName(card);
        const double percent = drawn[card] * 100.0 / 32768;
        EXPECT_NEAR(std::stod(fields[2]), percent, 0.005) << trimmedName(card);
    }
}

TEST(RulesFile, WorkedBattlesComeOutAsTheCasualtyCountSays) {
    const std::regex example(" +([A-Za-z ]+?) \\+ (unit of [0-9]+) +vs ([A-Za-z ]+?) *: "
                             "(always|never|([0-9]+) in 10)(?: +([0-9]+) to +([0-9]+))?");
    const auto cardNamed = [](const std::string& name) {
        CardId card = 0;
        while (card <= CARD_SUMMONERS && trimmedName(card) != name) {
            ++card;
        }
        return card;
    };
    int examples = 0;
    for (const std::string& line : rulesLines()) {
        std::smatch m;
        if (!std::regex_match(line, m, example)) {
            continue;
        }
        ++examples;
        const CardId attacker = cardNamed(m[1]);
        const CardId amount = cardNamed(m[2]);
        const CardId defense = cardNamed(m[3]);
        ASSERT_LE(std::max({attacker, amount, defense}), CARD_SUMMONERS) << line;
        const double chance = m[4] == "always"  ? 1.0
                              : m[4] == "never" ? 0.0
                                                : std::stoi(m[5]) / 10.0;
        ASSERT_EQ(m[6].matched, chance > 0) << line;

        constexpr int attacks = 20000;
        int hits = 0;
        std::int32_t fewest = INT32_MAX;
        std::int32_t most = 0;
        srand(1);
        for (int i = 0; i < attacks; ++i) {
            if (const std::int32_t killed = computeCasualties(attacker, amount, defense)) {
                ++hits;
                fewest = std::min(fewest, killed);
                most = std::max(most, killed);
            }
        }
        if (chance == 0.0 || chance == 1.0) {
            EXPECT_EQ(hits, chance * attacks) << line;
        } else {
            EXPECT_NEAR(static_cast<double>(hits) / attacks, chance, 0.02) << line;
        }
        if (hits > 0 && m[6].matched) {
            // The stated range holds every count and is all but reached at both ends.
            const std::int32_t low = std::stoi(m[6]);
            const std::int32_t high = std::stoi(m[7]);
            const std::int32_t slack = (high - low) / 50;
            EXPECT_GE(fewest, low) << line;
            EXPECT_LE(fewest, low + slack) << line;
            EXPECT_LE(most, high) << line;
            EXPECT_GE(most, high - slack) << line;
        }
    }
    EXPECT_GE(examples, 8);
}

} // namespace
} // namespace realmsfall
