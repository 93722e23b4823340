#include "driver/levels.h"

#include <filesystem>
#include <ostream>

namespace realmsfall {

namespace {

bool isNormal(const Level& level) {
    return &level == &LEVELS[NORMAL];
}

} // namespace

std::string levelStandingsPath(const std::string& path, const Level& level) {
    if (isNormal(level)) {
        return path;
    }
    const std::filesystem::path named(path);
    const std::string file = named.filename().string();
    const std::string stem = named.stem().string();
    const std::string folder = path.substr(0, path.size() - file.size());
    return folder + stem + "-" + level.name + file.substr(stem.size());
}

void announceLevel(std::ostream& out, const Level& level, const std::string& path, bool practice) {
    if (isNormal(level)) {
        return;
    }
    out << "Level " << level.name << ": your record at this level is "
        << (practice ? "read from " : "kept in ") << path << ".\n";
}

void pointToOtherLevels(std::ostream& out, const std::string& path) {
    for (const Level& level : LEVELS) {
        std::error_code error;
        if (!isNormal(level) && std::filesystem::exists(levelStandingsPath(path, level), error)) {
            out << "Also: realmsfall -s --level " << level.name << '\n';
        }
    }
}

} // namespace realmsfall
