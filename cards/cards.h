#pragma once

#include "core/string.h"

#include <array>
#include <cstdint>

namespace realmsfall {

// A card kind, 0 to 26; the number range gives its class.
using CardId = std::int32_t;

constexpr CardId CARD_FOOTMEN = 0;
constexpr CardId CARD_DRAGONS = 5;
constexpr CardId CARD_UNIT_OF_100 = 6;
constexpr CardId CARD_UNIT_OF_5000 = 11;
constexpr CardId CARD_PEASANTS = 12;
constexpr CardId CARD_GRIFFONS = 17;
constexpr CardId CARD_THIEVES = 18;
constexpr CardId CARD_DIVINE_INTERVENTION = 19;
constexpr CardId CARD_CLERICS = 20;
constexpr CardId CARD_NOTHING = 21; // an empty gathering or defense slot
constexpr CardId CARD_AVATARS = 22;
constexpr CardId CARD_TIME_TWIST = 23;
constexpr CardId CARD_BONES_OF_FATE = 24;
constexpr CardId CARD_SHIELDS_OF_FATE = 25;
constexpr CardId CARD_SUMMONERS = 26;

constexpr int CARD_NAME_SLOTS = 50;
using CardNames = std::array<String, CARD_NAME_SLOTS>;

inline bool isOffensiveTroop(CardId card) {
    return card >= CARD_FOOTMEN && card <= CARD_DRAGONS;
}
inline bool isAmount(CardId card) {
    return card >= CARD_UNIT_OF_100 && card <= CARD_UNIT_OF_5000;
}
inline bool isDefensiveTroop(CardId card) {
    return card >= CARD_PEASANTS && card <= CARD_GRIFFONS;
}

// Stores the display names of the 27 kinds into entries 0 to 26.
void fillCardNames(CardNames& cardNames);

// How the match screen shows the opponent's defense: "nothing" or "Established".
String defenseLabel(CardId defense);

} // namespace realmsfall
