// Every outcome of the six special cards played from a hand, with the draws forced by the seed.
#include "match/play.h"
#include "support.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace realmsfall {
namespace {

using namespace testing;

constexpr Hand PLAYER_HAND = {12, 13, 6, 0, 14, 7, 1, 15, 8, 2, 16, 9, 3};
constexpr Hand COMPUTER_HAND = {26, 4, 24, 7, 23, 8, 20, 10, 18, 15, 17, 16, 4};

using Slots = std::tuple<CardId, CardId, std::int32_t>; // gathering, defense, population

// One play of a card from position 0 of the acting side's hand: the player's keys, the draws
// before the replacement, both sides' slots before and after (the acting side's first), whether
// the acting side moves again, and how the screen ends when the computer, and the player, plays
// it ("": that side is not tried).
using Play = std::tuple<const char*, std::vector<Draw>, Slots, Slots, Slots, Slots, bool,
                        std::string, std::string>;

std::vector<Draw> dealt(std::vector<Draw> draws) { // then the 26 of a new deal
    draws.resize(draws.size() + 2 * HAND_SIZE, ANY_DRAW);
    return draws;
}

Kingdom kingdom(Slots slots, const Hand& hand) {
    return {std::get<0>(slots), std::get<1>(slots), std::get<2>(slots), hand};
}
// Day k: the player had {k, 12 + k, 100000 + k}, the computer {5 - k, 17 - k, 150000 + k}.
Match matchOf(Console& console, char side, CardId card, Slots self, Slots opp) {
    Match match{console, NAMES, "Pongi", "Ravenholm", {}, {}, {}, {}, 10, CARD_THIEVES, false};
    for (int day = 0; day < HISTORY_DAYS; ++day) {
        match.playerHistory[day] = kingdom({day, 12 + day, 100000 + day}, PLAYER_HAND);
        match.computerHistory[day] = kingdom({5 - day, 17 - day, 150000 + day}, COMPUTER_HAND);
    }
    const auto [player, computer] = actingFirst(side, self, opp);
    match.player = kingdom(player, PLAYER_HAND);
    match.computer = kingdom(computer, COMPUTER_HAND);
    actingFirst(side, match.player, match.computer).first.hand[0] = card;
    return match;
}

void check(const std::vector<Play>& plays, CardId card) {
    for (const auto& [keys, draws, before, oppBefore, after, oppAfter, again, computerText,
                      playerText] : plays) {
        for (const auto& [side, text] : {std::pair{'c', computerText}, {'p', playerText}}) {
            if (text.empty()) {
                continue;
            }
            ScriptedConsole c(side == 'p' ? keys : "");
            Match match = matchOf(c.console, side, card, before, oppBefore);
            const Hand oppHand = actingFirst(side, match.player, match.computer).second.hand;
            const int seed = seedFor(draws);
            applyMove(match, side, {Move::PLAY, 0});
            EXPECT_THAT(c.screen(), ::testing::EndsWith(text));
            const auto [self, opp] = actingFirst(side, match.player, match.computer);
            EXPECT_EQ(std::pair(Slots(self.gathering, self.defense, self.population),
                                Slots(opp.gathering, opp.defense, opp.population)),
                      std::pair(after, oppAfter))
                << text;
            EXPECT_EQ(match.turn, again ? 11 : 10) << text;
            // The replacement is the last draw, lands where the card was played and is received.
            EXPECT_EQ(drawsSince(seed), static_cast<int>(draws.size()) + 1) << text;
            EXPECT_EQ(self.hand[0], cardDrawnAfter(seed, static_cast<int>(draws.size()))) << text;
            EXPECT_EQ(match.receivedCard, side == 'p' ? self.hand[0] : CARD_THIEVES) << text;
            EXPECT_EQ(match.refreshReceived, side == 'c' && card == CARD_TIME_TWIST) << text;
            if (text.find("available:") == std::string::npos && draws.size() < 2 * HAND_SIZE) {
                EXPECT_EQ(opp.hand, oppHand) << text; // only a divination or a deal changes it
            }
        }
    }
}

TEST(SpecialCards, Thieves) {
    // The computer disperses a gathering first, breaks a defense next, else counts people.
    const Slots none{21, 21, 1000}, both{2, 13, 9}, defended{21, 13, 9}, open{21, 21, 9};
    const std::vector<Play> plays = {
        Play("1\n", {{100, 32}}, none, both, none, defended, false,
             "Spies have caused dissention in your Knights causing them to disperse.\n",
             "You call upon thieves to do your dirty work.\n1. Disperse gathering\n2. Break "
             "defenses\n3. Count population\nSelect a task: You send your thieves forth to "
             "prevent an attack.\nYour efforts pay off as the enemy Knights are dispersed.\n"),
        Play("1\n", {{100, 33}}, none, both, none, both, false,
             "Your Knights have killed some enemy thieves who were trying to stir your\ntroops.\n",
             "Your thieves were caught attempting to infiltrate, and were executed.\n"),
        Play("1\n", {{100, 0}}, none, defended, none, defended, false, "",
             "Your thieves cross enemy lines only to see nobody gathering.\n"),
        Play("2\n", {}, none, open, none, open, false, "",
             "You send your thieves to destroy enemy defenses.\nThe thieves found it easy to get "
             "through since no defenses were set.\n"),
        Play("2\n", {{100, 49}}, none, defended, none, open, false,
             "You notice the Pikemen you had in defense are now gone.\n",
             "Stealth allows your thieves to break up the enemy defenses successfully.\n"),
        Play("2\n", {{100, 50}}, none, defended, none, defended, false,
             "Thieves trying to destroy your defenses have been killed.\n",
             "Your thieves were killed by the defenses they tried to disarm.\n"),
        Play("3\n", {{100, 65}}, none, open, none, open, false,
             "You realize too late that you gave your latest census statistics to enemy spies.\n",
             "Your thieves set off to take a census of the enemy.\nYour rogues return with a count "
             "of 9 people.\n"),
        Play("3\n", {{100, 66}}, none, open, none, open, false,
             "You catch enemy thieves trying to count your population and promptly execute "
             "them.\n",
             "When your servants fail to return, you realize they have been captured.\n"),
    };
    check(plays, CARD_THIEVES);
}

TEST(SpecialCards, DivineIntervention) {
    const Slots other{21, 21, 5};
    const std::vector<Play> plays = {
        Play("", {{15000, 0}, {3, 0}}, {1, 14, 20000}, other, {1, 14, -10000}, other, false,
             "Your enemy seeks the help of higher powers.\nYou hear the sounds of suffering in "
             "the distance as the gods punish the enemy.\n",
             "You pray to the gods for aid.\nThe gods are angered by your arrogance and slay "
             "30000 of your people.\n"),
        Play("", {{32768, 32767}, {3, 1}}, {1, 14, 20000}, other, {1, 14, 52767}, other, false,
             "The tides of war seem to flow against you as the gods send reinforcements\nto your "
             "foe.\n",
             "The heavens look favorably upon you and bring you 32767 new followers.\n"),
        Play("", {ANY_DRAW, {3, 2}}, {21, 14, 1}, other, {21, 14, 1}, other, false,
             "Nothing seems to happen as a result.\n",
             "The gods prepare to upgrade the units you are gathering, but notice you\nhave "
             "none.\n"),
        Play("", {ANY_DRAW, {3, 2}}, {22, 14, 1}, other, {5, 14, 1}, other, false,
             "Scouts report that due to Divine Intervention, enemy Avatars have become\n"
             "Dragons.\n",
             "Avatars spontaneously become Dragons due to Divine\nIntervention.\n"),
        Play("", {ANY_DRAW, {3, 2}}, {0, 14, 1}, other, {1, 14, 1}, other, false, "",
             "Your gathering of Footmen spontaneously become Archers due to "
             "Divine\nIntervention.\n"),
    };
    check(plays, CARD_DIVINE_INTERVENTION);
}

TEST(SpecialCards, Clerics) {
    // The computer's task: convert 0 to 3, resurrect 4 to 7, divine 8 and 9.
    const Slots self{21, 21, 100000}, opp{21, 21, 30000}, won{21, 21, 147767}, lost{21, 21, -17767};
    const std::vector<Play> plays = {
        Play("1\n", {{100, 32}, {32768, 32767}}, self, opp, won, lost, false, "",
             "Your clerics come at your request.\n1. Convert enemy population\n2. Divine "
             "opponent's army\n3. Resurrect your slain followers\nSelect a task: Your clerics "
             "make an attempt to urge people to your cause.\nYour priests manage to convert "
             "47767 people from the enemy.\n"),
        Play("1\n", {{100, 33}}, self, opp, self, opp, false, "",
             "The persuasive arguments of the clerics fail to bring new followers.\n"),
        Play("2\n", {{100, 49}}, self, opp, self, opp, false, "",
             "Your clerics attempt to use their clairvoyant abilities.\nYour priests tell you "
             "that the enemy has these units available:\n1. Seige Towers\n2. Seige Towers\n3. "
             "unit of 300 \n4. unit of 500 \n5. unit of 2500 \n6. Paladins\n7. Ballistas\n8. "
             "Griffons\n9. Thieves\n10. Clerics\n11. Time Twist\n12. Bones of Fate\n13. "
             "Summoners\n\n"),
        Play("2\n", {{100, 50}}, self, opp, self, opp, false, "",
             "Your clerics report a mental barrier blocking their abilities at this moment.\n"),
        Play("3\n", {{100, 65}, {32768, 32767}}, self, opp, {21, 21, 147767}, opp, false, "",
             "Your clerics begin chanting the arcane words to Mass Resurrection.\nThe spell "
             "manages to revive 47767 of your slain comrades.\n"),
        Play("3\n", {{100, 66}}, self, opp, self, opp, false, "",
             "Your clerics' concentration was broken mid-spell, and the spell is wasted.\n"),
        Play("", {{10, 3}, {100, 28}, {20000, 12767}}, self, opp, won, lost, false,
             "Your enemy's clerics convince 47767 of your people to change sides.\n", ""),
        Play("", {{10, 0}, {100, 33}}, self, opp, self, opp, false,
             "Your people laugh at the clerics that have come to recruit new followers.\n", ""),
        Play("", {{10, 4}, {100, 65}, {15000, 0}}, self, opp, {21, 21, 145000}, opp, false,
             "Enemy population swells as clerics resurrect their dead.\n", ""),
        Play("", {{10, 7}, {100, 66}}, self, opp, self, opp, false,
             "An attempt to resurrect dead warriors has failed.\n", ""),
        Play("", {{10, 8}, {100, 49}}, self, opp, self, opp, false,
             "You get the feeling your enemy knows what you have in store.\n", ""),
        Play("", {{10, 9}, {100, 50}}, self, opp, self, opp, false,
             "Your clerics put up a mind barrier just in time to block a divination\nspell cast "
             "by enemy clerics.\n",
             ""),
    };
    check(plays, CARD_CLERICS);
}

TEST(SpecialCards, Summoners) {
    // The computer defends first, then gathers, then attacks.
    const Slots idle{21, 21, 1000}, target{21, 21, 200000};
    const std::vector<Play> plays = {
        Play("3\n", {{6, 5}}, {3, 21, 1000}, target, {3, 17, 1000}, target, false,
             "The faint shimmer of magic can be seen in the distance.\nYour henchmen report "
             "defenses being established at the enemy holding.\n",
             "You call your Summoners to your chambers.\n1. Summon offensive units\n2. Summon an "
             "amount of units to attack\n3. Summon defensive units\nSelect a task: You set up "
             "some defense with a unit of Griffons.\n"),
        Play("1\n", {{6, 0}}, {21, 13, 1000}, target, {0, 13, 1000}, target, false,
             "Your scouts report a group of Footmen gathering to attack.\n",
             "You begin gathering a unit of Footmen.\n"),
        Play("2\n", {{6, 5}, {10, 6}, {2000, 0}}, {0, 13, 1000}, {21, 12, 200000}, {21, 13, 1000},
             {21, 21, 185000}, false,
             "You have Peasants to stand in their way.\nThe attacking Footmen defeat your "
             "Peasants killing 15000 people.\n",
             "You have sent a unit of 5000 Footmen upon your enemy.\nOpposing forces defend their "
             "people with Peasants.\nYour Footmen defeat the Peasants and bring about the deaths "
             "of 15000\npeople.\n"),
        Play("2\n", {{6, 3}}, {22, 25, 0}, {21, 25, 1}, {21, 25, 0}, {21, 21, 1}, false,
             "You see a unit of 1000 Avatars coming towards your gates.\nYou have Shields of Fate "
             "to stand in their way.\nYour Shields of Fate prevent the Avatars from causing any "
             "harm.\n",
             "You have sent a unit of 1000 Avatars upon your enemy.\nOpposing forces defend their "
             "people with Shields of Fate.\nThe enemy Shields of Fate block your Avatars and send "
             "them home.\n"),
        Play("2\n", {}, idle, target, idle, target, false, "",
             "Your Summoners' spell fizzles as the spell you requested doesn't work without\n"
             "gathering units first.\n"),
    };
    check(plays, CARD_SUMMONERS);
}

TEST(SpecialCards, BonesOfFate) {
    const Slots self{1, 13, 80000}, opp{2, 13, 120000}, open{2, 21, 120000}, idle{21, 21, 30000},
        armed{3, 13, 30000};
    const std::string yellow = "yellow.\nA twist of fate causes the populations of your "
                               "kingdoms to trade loyalties.\n",
                      purple = "purple.\nYou notice people missing from the enemy camp.\n";
    const std::vector<Play> plays = {
        Play("", {{6, 0}}, self, opp, {1, 25, 80000}, opp, false,
             "The horizon glows with a bright shade of red.\n",
             "You roll the Bones of Fate and the die lands on the color red.\nAn impenetrable wall "
             "of magical shields forms around your gates.\n"),
        Play("", {{6, 1}}, self, opp, self, open, true,
             "orange.\nYour defenses mysteriously disappear and you wait to see if your "
             "opponent\ncapitalizes on this advantage.\n",
             "orange.\nYour scouts report that the enemy defenses have mysteriously disappeared. "
             " The\ndie gives you a chance to take advantage of your enemy's vulnerability.\n"),
        Play("", {{6, 1}}, self, open, self, open, true,
             "orange.\nYour opponent tries to take advantage of your lack of defense.\n",
             "orange.\nThe die gives you another chance to exploit your enemy's lack of "
             "defenses.\n"),
        Play("", {{6, 2}}, self, opp, {1, 13, 120000}, {2, 13, 80000}, false, yellow, yellow),
        // Green arms the caster: the computer defends first, then gathers, then attacks.
        Play("3\n", {{6, 3}}, {3, 21, 1}, opp, {3, 17, 1}, opp, false,
             "green.\nYour henchmen report defenses being established at the enemy holding.\n",
             "green.\nThe die gives you the choice between the most potent weapons in the world."
             "\n1. Dragons\n2. unit of 5000\n3. Griffons\nSelect a unit: You set up some "
             "defense with a unit of Griffons.\n"),
        Play("1\n", {{6, 3}}, {21, 13, 1}, opp, {5, 13, 1}, opp, false,
             "green.\nYour scouts report a group of Dragons gathering to attack.\n",
             "Select a unit: You begin gathering a unit of Dragons.\n"),
        Play("2\n", {{6, 3}, {18000, 0}}, {5, 13, 1}, open, {21, 13, 1}, {2, 21, -6000}, false,
             "green.\nYou see a unit of 5000 Dragons coming towards your gates.\nYou have nothing "
             "to stand in their way.\nThe enemy attacks, and since you have no defense, 126000 "
             "of your people are \neasily killed.\n",
             "Select a unit: You have sent a unit of 5000 Dragons upon your enemy.\nYour forces "
             "break through easily since there is nobody to stand in your way.\nFinding no "
             "defense, your Dragons run rampant killing a total of 126000\nenemies.\n"),
        Play("2\n", {{6, 3}}, idle, opp, idle, opp, false, "",
             "Select a unit: \nAs you have no units being gathered, the die has no effect.\n"),
        // Blue draws the caster's gathering, the other's, the caster's defense, the other's.
        Play("", {{6, 4}, {7, 1}, {7, 6}, {7, 6}, {7, 2}}, self, opp, {1, 21, 80000},
             {21, 14, 120000}, false,
             "nothing and defending with Rangers.\nYou can see enemy Archers gathering and notice "
             "nothing defending.\n",
             "blue.\nThe flighty whim of fate takes a hold of the units preparing for battle.\nYou "
             "are now gathering Archers and defending with nothing.\nYou can see enemy nothing "
             "gathering and notice defenses established.\n"),
        Play("", {{6, 5}, {32768, 32767}}, idle, opp, {21, 21, -2767}, opp, false, purple,
             "purple.\nThe whispers of dissention coarse through your population.\nYou watch as "
             "32767 people pack up and leave your kingdom.\n"),
        Play("", {{6, 5}, {25000, 24999}}, idle, opp, {21, 21, -19999}, opp, false, "",
             "You watch as 49999 people pack up and leave your kingdom.\n"),
        Play("", {{6, 5}}, {21, 13, 30000}, opp, idle, opp, false, purple,
             "Your Pikemen decide that they no longer wish to fight for you.\n"),
        Play("", {{6, 5}}, {3, 21, 30000}, opp, idle, opp, false, "",
             "Your Mages decide that they no longer wish to fight for you.\n"),
        Play("", {{6, 5}}, armed, opp, idle, opp, false, purple,
             "Your Mages turn against your Pikemen and fight until both are dead.\n"),
    };
    check(plays, CARD_BONES_OF_FATE);
}

TEST(SpecialCards, TimeTwist) {
    const Slots self{1, 13, 200000}, opp{2, 14, 10000};
    const std::vector<Play> plays = {
        Play("", {{100, 0}}, self, opp, {1, 13, 0}, opp, false, "",
             "You cast from the scroll of Time Twist and all becomes dark.\nThe light does not "
             "return as you accidently travel through time past your death.\n"),
        Play("", {{100, 0}}, self, opp, {1, 13, -50000}, opp, false,
             "Ravenholm is easily defeated without leadership, you crush the enemy quickly.\n", ""),
        Play("", {{100, 1}}, self, opp, self, opp, true,
             "You feel a little dizzy and aren't sure why.  All you know is that Ravenholm's\n"
             "Lord has returned.\n",
             "You return to see nothing has changed.  No time was lost, however, in the\ncasting "
             "of the spell.  You feel you are able to give another command\nbefore your "
             "opponent.\n"),
        Play("", {{100, 33}}, self, opp, self, opp, true, "", "before your opponent.\n"),
        // A long absence costs the caster, then the other, people; a fallen caster leaves the
        // other side one person, and when both live on, both get new hands.
        Play("", {{100, 34}, {40000, 30031}, {40000, 11744}}, {1, 13, 40031}, {2, 14, 5},
             {1, 13, 0}, {2, 14, 1}, false,
             "You find that Ravenholm is missing it's Lord.\nRavenholm is easily defeated "
             "without leadership, you crush the enemy quickly.\n",
             "You return to see your country in ruins.  During your absence, your army was "
             "destroyed.\n"),
        Play("", {{100, 66}, {40000, 6736}, {40000, 2148}}, {1, 13, 16737}, {2, 14, 12148},
             {1, 13, 1}, {2, 14, 0}, false,
             "Unfortunately even without their Lord, Ravenholm was too powerful for you.\n",
             "You return to see your country in celebration.  While you were gone, your forces "
             "finished off your foe.\n"),
        Play("", dealt({{100, 50}, {40000, 18237}, {40000, 2761}}), {1, 13, 28238}, {2, 14, 12762},
             {1, 13, 1}, {2, 14, 1}, false,
             "You battle on for many months and have a fresh line of soldiers when word\narrives "
             "of the enemy Lord's return.\n",
             "You return to see new faces in your kingdom.  The future holds new opportunity.\n"),
        Play("", {{100, 67}, {5, 0}}, self, opp, {0, 12, 100000}, {5, 17, 150000}, true, "",
             "You travel back in time 1 days and try your luck again.\n"),
        Play("", {{100, 99}, {5, 4}}, self, opp, {1, 13, 150004}, {4, 16, 100004}, true,
             "You realize the last 5 days have just been a dream.\n", ""),
    };
    check(plays, CARD_TIME_TWIST);
}

} // namespace
} // namespace realmsfall
