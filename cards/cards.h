#pragma once

#include "core/string.h"

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>

namespace realmsfall {

// A card kind, 0 to 26; the number range gives its class.
using CardId = std::int32_t;

constexpr CardId CARD_FOOTMEN = 0;
constexpr CardId CARD_ARCHERS = 1;
constexpr CardId CARD_KNIGHTS = 2;
constexpr CardId CARD_MAGES = 3;
constexpr CardId CARD_SEIGE_TOWERS = 4;
constexpr CardId CARD_DRAGONS = 5;
constexpr CardId CARD_UNIT_OF_100 = 6;
constexpr CardId CARD_UNIT_OF_300 = 7;
constexpr CardId CARD_UNIT_OF_500 = 8;
constexpr CardId CARD_UNIT_OF_1000 = 9;
constexpr CardId CARD_UNIT_OF_2500 = 10;
constexpr CardId CARD_UNIT_OF_5000 = 11;
constexpr CardId CARD_PEASANTS = 12;
constexpr CardId CARD_PIKEMEN = 13;
constexpr CardId CARD_RANGERS = 14;
constexpr CardId CARD_PALADINS = 15;
constexpr CardId CARD_BALLISTAS = 16;
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

// Every kind has a name; the kinds run from Footmen up to Summoners.
constexpr int CARD_KIND_COUNT = CARD_SUMMONERS + 1;
inline bool isCardKind(CardId card) {
    return card >= CARD_FOOTMEN && card <= CARD_SUMMONERS;
}

constexpr int CARD_NAME_SLOTS = 50;
using CardNames = std::array<String, CARD_NAME_SLOTS>;

// The name of a kind, out of the names fillCardNames stored.
inline const String& nameOf(const CardNames& names, CardId card) {
    assert(isCardKind(card));
    return names[static_cast<std::size_t>(card)];
}

inline bool isOffensiveTroop(CardId card) {
    return card >= CARD_FOOTMEN && card <= CARD_DRAGONS;
}
inline bool isAmount(CardId card) {
    return card >= CARD_UNIT_OF_100 && card <= CARD_UNIT_OF_5000;
}
inline bool isDefensiveTroop(CardId card) {
    return card >= CARD_PEASANTS && card <= CARD_GRIFFONS;
}

// The combat values of the troop classes. Attack strength of a gathered kind: Footmen 1 up to
// Dragons 6, and Avatars 7.
constexpr std::int32_t AVATARS_STRENGTH = 7;
constexpr std::int32_t attackStrength(CardId attacker) {
    return attacker == CARD_AVATARS ? AVATARS_STRENGTH : attacker + 1;
}

// Amount factor of an amount card: unit of 100 is 1 up to unit of 5000 is 6. The number in the
// card's name plays no part in a battle.
constexpr std::int32_t amountFactor(CardId amount) {
    return amount - CARD_UNIT_OF_100 + 1;
}

// Defense strength of a defensive troop: Peasants 1 up to Griffons 6.
constexpr std::int32_t defenseStrength(CardId defense) {
    return defense - CARD_PEASANTS + 1;
}

// Stores the display names of the kinds into their entries; the entries above stay empty.
void fillCardNames(CardNames& cardNames);

// How the match screen shows the opponent's defense: "nothing" or "Established".
String defenseLabel(CardId defense);

} // namespace realmsfall
