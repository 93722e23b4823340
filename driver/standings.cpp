#include "driver/standings.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

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

// A new, hidden file beside `target`, opened for writing; never one that exists already.
std::FILE* createTemporary(const std::filesystem::path& target, std::filesystem::path& temporary) {
    constexpr int ATTEMPTS = 8;
    for (int attempt = 0; attempt < ATTEMPTS; ++attempt) {
        // The clock tells apart the saves of runs side by side; a clash only costs an attempt.
        const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
        char tag[24];
        std::snprintf(tag, sizeof tag, "%08llx", static_cast<unsigned long long>(now) + attempt);
        // Appended piece by piece: g++ 12 at -O3 warns wrongly about "." + name + ...
        std::string name = ".";
        name += target.filename().string();
        name.append(".").append(tag).append(".tmp");
        temporary = target.parent_path() / name;
        errno = 0;
        if (std::FILE* const file = std::fopen(temporary.c_str(), "wx")) {
            return file;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    return nullptr;
}

// The file a save replaces: through a symbolic link, the file it points to, so that the link
// stays in place.
std::filesystem::path savedPath(const std::string& path) {
    std::error_code ignored;
    if (!std::filesystem::is_symlink(path, ignored)) {
        return path;
    }
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(path, ignored);
    return resolved.empty() ? std::filesystem::path(path) : resolved;
}

// A file that its owner may not write is not replaced either.
bool isReadOnly(const std::filesystem::path& target) {
    std::error_code ignored;
    const std::filesystem::perms rights = std::filesystem::status(target, ignored).permissions();
    return rights != std::filesystem::perms::unknown &&
           (rights & std::filesystem::perms::owner_write) == std::filesystem::perms::none;
}

// The new file takes over the access rights of the one it replaces.
void keepPermissions(const std::filesystem::path& target, const std::filesystem::path& temporary) {
    std::error_code ignored;
    const std::filesystem::file_status old = std::filesystem::status(target, ignored);
    if (std::filesystem::exists(old)) {
        std::filesystem::permissions(temporary, old.permissions(), ignored);
    }
}

} // namespace

SaveFailure ensureStandingsFile(const std::string& path) {
    std::ifstream in(path); // a missing file reads as an empty one
    String counter;
    in >> counter;
    if (in.good()) {
        return std::nullopt;
    }
    in.close();
    return replaceFile(path, "0\n~\n");
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
        player.losses = plusOne(player.losses);
    } else {
        player.wins = plusOne(player.wins);
    }
    player.games = plusOne(player.games);
    // Worked out wide, so that a record grown beyond all reason cannot overflow.
    const std::int64_t wins = player.wins;
    player.percent = player.games == 0 ? 0 : static_cast<std::int32_t>(wins * 100 / player.games);
    const bool overkill = computerPopulation <= OVERKILL;
    if (overkill) {
        player.overkills = plusOne(player.overkills);
    }
    return overkill;
}

SaveFailure writeStandings(const std::string& path, const Standings& standings,
                           const PlayerRecord& player) {
    std::ostringstream out;
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
    return replaceFile(path, out.str());
}

std::int32_t plusOne(std::int32_t n) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(n) + 1u);
}

SaveFailure replaceFile(const std::string& path, const std::string& text) {
    const std::filesystem::path target = savedPath(path);
    if (isReadOnly(target)) {
        return std::string("the file is read-only");
    }
    std::filesystem::path temporary;
    std::FILE* const file = createTemporary(target, temporary);
    if (file == nullptr) {
        return std::strerror(errno);
    }
    const bool written =
        std::fwrite(text.data(), 1, text.size(), file) == text.size() && std::fflush(file) == 0;
    const int writeError = errno;
    if (std::fclose(file) != 0 || !written) {
        const int error = written ? errno : writeError;
        std::remove(temporary.c_str());
        return std::strerror(error);
    }
    keepPermissions(target, temporary);
    if (std::rename(temporary.c_str(), target.c_str()) != 0) {
        const int error = errno;
        std::remove(temporary.c_str());
        return std::strerror(error);
    }
    return std::nullopt;
}

} // namespace realmsfall
