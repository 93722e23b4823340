#include "driver/standings.h"

#include <fstream>

namespace realmsfall {

namespace {

constexpr std::int32_t OVERKILL = -25000;

// A record's name, or an empty word once the file ends. The file's last line "~" marks the end;
// a damaged file that stops early is read as if it ended there.
bool nextName(std::istream& in, String& name) {
    in >> name;
    return name.length() > 0 && name != "~";
}

bool readNumbers(std::istream& in, PlayerRecord& record) {
    in >> record.wins >> record.losses >> record.percent >> record.games >> record.overkills;
    return !in.fail();
}

} // namespace

void ensureStandingsFile(const std::string& path) {
    std::ifstream in(path); // a missing file reads as an empty one
    String counter;
    in >> counter;
    if (in.good()) {
        return;
    }
    in.close();
    std::ofstream out(path, std::ios::trunc);
    out << "0\n~\n";
}

bool findPlayer(const std::string& path, PlayerRecord& player) {
    std::ifstream in(path);
    String word;
    String scratch;
    in >> word; // the counter
    while (nextName(in, word)) {
        if (word == player.name) {
            return readNumbers(in, player);
        }
        readLine(in, scratch);
    }
    return false;
}

Standings loadStandings(const std::string& path, const String& playerName) {
    Standings standings;
    std::ifstream in(path);
    in >> standings.seedCounter;
    PlayerRecord record;
    String scratch;
    while (nextName(in, record.name)) {
        if (record.name == playerName) {
            readLine(in, scratch); // the player's own record is written anew at the end
        } else if (readNumbers(in, record)) {
            standings.others.push_back(record);
        } else {
            break;
        }
    }
    return standings;
}

bool bookGame(PlayerRecord& player, std::int32_t computerPopulation) {
    if (computerPopulation > 0) {
        ++player.losses;
    } else {
        ++player.wins;
    }
    ++player.games;
    player.percent = player.wins * 100 / player.games;
    const bool overkill = computerPopulation <= OVERKILL;
    if (overkill) {
        ++player.overkills;
    }
    return overkill;
}

void writeStandings(const std::string& path, const Standings& standings,
                    const PlayerRecord& player) {
    std::ofstream out(path, std::ios::trunc);
    out << standings.seedCounter << '\n';
    const auto writeRecord = [&out](const PlayerRecord& r) {
        out << r.name << ' ' << r.wins << ' ' << r.losses << ' ' << r.percent << ' ' << r.games
            << ' ' << r.overkills;
    };
    for (const PlayerRecord& record : standings.others) {
        writeRecord(record);
        out << '\n';
    }
    writeRecord(player);
    out << "\n~\n";
}

} // namespace realmsfall
