#include "match/match.h"

#include "core/random.h"
#include "match/command.h"
#include "match/computer.h"
#include "match/discard.h"
#include "match/orders.h"
#include "specials/specials.h"

#include <cstdlib>
#include <iomanip>
#include <istream>
#include <ostream>

namespace realmsfall {

namespace {

constexpr int REGION_WIDTH = 15;
constexpr int GATHERING_WIDTH = 12;

Kingdom startingKingdom(const Hand& dealt) {
    const std::int32_t population = rand() % 50000 + 275000;
    return Kingdom{CARD_NOTHING, CARD_NOTHING, population, dealt};
}

// Until a side has taken five turns, its history holds its starting state.
History startingHistory(const Kingdom& start) {
    History history;
    history.fill(start);
    return history;
}

bool isCall(const String& word) {
    return word == "h" || word == "t" || word == "heads" || word == "tails";
}

// The coin is drawn before the player calls it. Returns the first turn: 0 when the player
// plays first, 1 when the computer does.
std::int32_t tossCoin(Console& console, int coin, const String& computerRegion) {
    String word;
    String scratch;
    console.out << "Call heads or tails: ";
    readWord(console, word);
    while (!isCall(word)) {
        readLine(console.in, scratch);
        console.out << "Please choose either heads or tails: ";
        readWord(console, word);
    }
    readLine(console.in, scratch);
    const String call = (word == "h" || word == "heads") ? "heads" : "tails";
    const String landed = coin == 1 ? "heads" : "tails";
    console.out << "\nYou have called " << call << " and the coin landed on " << landed << ".\n";
    if (call == landed) {
        console.out << "You have won the toss and will play first.\n";
        return 0;
    }
    console.out << "You have lost the toss and the Lord of " << computerRegion
                << " will play first.\n";
    return 1;
}

void pushHistory(History& history, const Kingdom& now) {
    for (int day = HISTORY_DAYS - 1; day > 0; --day) {
        history[day] = history[day - 1];
    }
    history[0] = now;
}

void showStatus(const Match& m) {
    std::ostream& out = m.console.out;
    const CardNames& names = m.cardNames;
    out << "\nPopulation: " << m.player.population << '\n'
        << std::setw(REGION_WIDTH) << m.playerRegion
        << "- Gathering : " << std::setw(GATHERING_WIDTH) << names[m.player.gathering]
        << "   Defenses : " << names[m.player.defense] << '\n'
        << std::setw(REGION_WIDTH) << m.computerRegion
        << "- Gathering : " << std::setw(GATHERING_WIDTH) << names[m.computer.gathering]
        << "   Defenses : " << defenseLabel(m.computer.defense)
        << "\nYou received: " << names[m.receivedCard] << "\nYour hand:\n";
}

void playerTurn(Match& m) {
    startPlayerTurn(m);
    showStatus(m);
    sortHand(m.player.hand);
    const int command = enterCommand(m.console, m.player.hand, m.player.gathering, m.cardNames);
    if (command == DISCARD_COMMAND) {
        discardCard(m.console, m.player.hand, m.receivedCard, m.cardNames, SIDE_PLAYER);
    } else {
        m.receivedCard = playFromHand(m, SIDE_PLAYER, command);
    }
}

void computerTurn(Match& m) {
    pushHistory(m.computerHistory, m.computer);
    if (chooseComputerPlay(m)) {
        m.refreshReceived = true;
    }
}

bool bothAlive(const Match& m) {
    return m.player.population > 0 && m.computer.population > 0;
}

CardId dispatch(Match& m, char side, CardId card, Kingdom& self, Kingdom& opp,
                const History& selfHistory, const History& oppHistory) {
    Console& c = m.console;
    const CardNames& names = m.cardNames;
    if (isOffensiveTroop(card) || isAmount(card) || isDefensiveTroop(card)) {
        return playTroopCard(c, self, opp, card, names, side);
    }
    switch (card) {
    case CARD_THIEVES:
        return thieves(c, opp, names, side);
    case CARD_DIVINE_INTERVENTION:
        return divineIntervention(c, self, names, side);
    case CARD_CLERICS:
        return clerics(c, self.population, opp.population, opp.hand, names, side);
    case CARD_TIME_TWIST:
        return timeTwist(c, self, opp, m.turn, selfHistory, oppHistory, m.computerRegion, side);
    case CARD_BONES_OF_FATE:
        return bonesOfFate(c, self, opp, m.turn, names, side);
    case CARD_SUMMONERS:
        return summoners(c, self, opp, names, side);
    default:
        // A hand only ever holds the kinds the deck deals.
        std::abort();
    }
}

} // namespace

void startPlayerTurn(Match& m) {
    if (m.refreshReceived) {
        m.receivedCard = m.player.hand[HAND_SIZE - 1];
        m.refreshReceived = false;
    }
    pushHistory(m.playerHistory, m.player);
}

CardId playFromHand(Match& m, char side, int position) {
    const bool player = side == SIDE_PLAYER;
    Kingdom& self = player ? m.player : m.computer;
    Kingdom& opp = player ? m.computer : m.player;
    const History& selfHistory = player ? m.playerHistory : m.computerHistory;
    const History& oppHistory = player ? m.computerHistory : m.playerHistory;
    const CardId replacement =
        dispatch(m, side, self.hand[position], self, opp, selfHistory, oppHistory);
    self.hand[position] = replacement;
    return replacement;
}

std::int32_t playMatch(Console& console, const Hand& playerHand, const Hand& computerHand,
                       const CardNames& cardNames, String playerRegion, String computerRegion) {
    console.out << std::left;
    const Kingdom player = startingKingdom(playerHand);
    const Kingdom computer = startingKingdom(computerHand);
    Match m{.console = console,
            .cardNames = cardNames,
            .playerRegion = playerRegion,
            .computerRegion = computerRegion,
            .player = player,
            .computer = computer,
            .playerHistory = startingHistory(player),
            .computerHistory = startingHistory(computer),
            .turn = 0,
            .receivedCard = playerHand[HAND_SIZE - 1],
            .refreshReceived = false};
    const int coin = rand() % 2;
    m.turn = tossCoin(console, coin, computerRegion);

    while (bothAlive(m)) {
        const std::int32_t t = m.turn++;
        if (t % 2 == 0) {
            playerTurn(m);
        } else {
            computerTurn(m);
        }
        if (bothAlive(m)) {
            console.in.get(); // the pause after each turn reads one key
        }
    }

    console.out << '\n';
    if (m.computer.population > 0) {
        console.out << "Your Kingdom of " << m.playerRegion << " lies in ruins.\n";
    } else {
        console.out << "You stand victorious over the Kingdom of " << m.computerRegion << ".\n";
    }
    return m.computer.population;
}

} // namespace realmsfall
