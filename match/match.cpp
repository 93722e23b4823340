#include "match/match.h"

#include "core/random.h"
#include "match/command.h"
#include "match/play.h"

#include <algorithm>
#include <optional>
#include <ostream>
#include <string>

namespace realmsfall {

namespace {

constexpr int REGION_WIDTH = 15;
constexpr int GATHERING_WIDTH = 12;

// Each side starts with rand() % POPULATION_SPREAD + POPULATION_BASE people.
constexpr std::int32_t POPULATION_BASE = 275000;
constexpr std::int32_t POPULATION_SPREAD = 50000;

// The coin is rand() % COIN_FACES, heads when it is HEADS; the winner of the toss moves first.
constexpr int COIN_FACES = 2;
constexpr int HEADS = 1;
constexpr std::int32_t PLAYER_FIRST = 0;
constexpr std::int32_t COMPUTER_FIRST = 1;

Kingdom startingKingdom(const Hand& dealt) {
    const std::int32_t population = rand() % POPULATION_SPREAD + POPULATION_BASE;
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

// The coin is drawn before the player calls it. Returns the first turn.
std::int32_t tossCoin(Console& console, int coin, const String& computerRegion) {
    String word;
    console.out << "Call heads or tails: ";
    requireWord(console, word);
    while (!isCall(word)) {
        dropLine(console);
        console.out << "Please choose either heads or tails: ";
        requireWord(console, word);
    }
    dropLine(console);
    const String call = (word == "h" || word == "heads") ? "heads" : "tails";
    const String landed = coin == HEADS ? "heads" : "tails";
    console.out << "\nYou have called " << call << " and the coin landed on " << landed << ".\n";
    if (call == landed) {
        console.out << "You have won the toss and will play first.\n";
        return PLAYER_FIRST;
    }
    console.out << "You have lost the toss and the Lord of " << computerRegion
                << " will play first.\n";
    return COMPUTER_FIRST;
}

// The newest entry comes first; the oldest falls out.
void pushHistory(History& history, const Kingdom& now) {
    std::shift_right(history.begin(), history.end(), 1);
    history[0] = now;
}

// A side's line of the status: its region, gathering and defense in their columns.
void appendSide(std::string& status, const String& region, const String& gathering,
                const String& defense) {
    appendField(status, region, REGION_WIDTH);
    status += "- Gathering : ";
    appendField(status, gathering, GATHERING_WIDTH);
    status.append("   Defenses : ").append(view(defense));
}

// Put together, then written at once.
void showStatus(const Match& match) {
    const CardNames& names = match.cardNames;
    std::string status = "\nPopulation: " + std::to_string(match.player.population) + '\n';
    appendSide(status, match.playerRegion, nameOf(names, match.player.gathering),
               nameOf(names, match.player.defense));
    status += '\n';
    appendSide(status, match.computerRegion, nameOf(names, match.computer.gathering),
               defenseLabel(match.computer.defense));
    const String& received = nameOf(names, match.receivedCard);
    status.append("\nYou received: ").append(view(received));
    status += "\nYour hand:\n";
    match.console.out << status;
}

// A side's seat: the level that moves for it, and the level's own generator.
struct Seat {
    const Level* level;
    LevelRandom random;
};

// The level's choice for the side. A side that must answer a menu (the player's, in a level's
// hands) and is given no answer follows the computer's own rule.
Choice decide(const Match& match, char side, Seat& seat) {
    const View view = viewOf(match, side);
    Choice choice = seat.level->choose(view, seat.random);
    if (side == SIDE_PLAYER && choice.move.kind == Move::PLAY && !choice.answer) {
        choice.answer = ownRuleAnswer(view, view.own.hand[choice.move.position], seat.random);
    }
    return choice;
}

// The player's moves come from the keyboard, or from a level in the player's place, which
// answers the same prompts.
void playerTurn(Match& match, Seat& seat) {
    startPlayerTurn(match);
    showStatus(match);
    Kingdom& player = match.player;
    sortHand(player.hand);
    std::optional<Choice> given;
    if (seat.level != nullptr) {
        given = decide(match, SIDE_PLAYER, seat);
    }
    const Move move = enterCommand(match.console, player.hand, player.gathering, match.cardNames,
                                   given ? std::optional(given->move) : std::nullopt);
    applyMove(match, SIDE_PLAYER, move, given ? given->answer : std::nullopt);
}

void computerTurn(Match& match, Seat& seat) {
    pushHistory(match.computerHistory, match.computer);
    const Choice choice = decide(match, SIDE_COMPUTER, seat);
    applyMove(match, SIDE_COMPUTER, choice.move, choice.answer);
}

bool bothAlive(const Match& match) {
    return alive(match.player) && alive(match.computer);
}

} // namespace

void startPlayerTurn(Match& match) {
    if (match.refreshReceived) {
        match.receivedCard = match.player.hand[HAND_SIZE - 1];
        match.refreshReceived = false;
    }
    pushHistory(match.playerHistory, match.player);
}

std::int32_t playMatch(Console& console, const Hand& playerHand, const Hand& computerHand,
                       const CardNames& cardNames, String playerRegion, String computerRegion,
                       const Seats& seats) {
    const Kingdom player = startingKingdom(playerHand);
    const Kingdom computer = startingKingdom(computerHand);
    const int coin = rand() % COIN_FACES;
    Match match{.console = console,
                .cardNames = cardNames,
                .playerRegion = playerRegion,
                .computerRegion = computerRegion,
                .player = player,
                .computer = computer,
                .playerHistory = startingHistory(player),
                .computerHistory = startingHistory(computer),
                .turn = tossCoin(console, coin, computerRegion),
                .receivedCard = playerHand[HAND_SIZE - 1],
                .refreshReceived = false};

    Seat playerSeat{seats.player, levelRandom(seats.seed, SIDE_PLAYER)};
    Seat computerSeat{seats.computer, levelRandom(seats.seed, SIDE_COMPUTER)};
    while (bothAlive(match)) {
        const std::int32_t turn = match.turn++;
        if (turn % 2 == 0) { // the player moves on even turns
            playerTurn(match, playerSeat);
        } else {
            computerTurn(match, computerSeat);
        }
        if (bothAlive(match)) {
            pause(console);
        }
    }

    console.out << '\n';
    if (alive(match.computer)) {
        console.out << "Your Kingdom of " << match.playerRegion << " lies in ruins.\n";
    } else {
        console.out << "You stand victorious over the Kingdom of " << match.computerRegion << ".\n";
    }
    return match.computer.population;
}

} // namespace realmsfall
