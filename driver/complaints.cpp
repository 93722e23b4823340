#include "driver/complaints.h"

#include <ostream>

namespace realmsfall {

void complain(Console& console, const std::string& line) {
    console.err << "realmsfall: " << line << std::endl;
}

int complainOfUsage(Console& console, const std::string& problem) {
    complain(console, problem);
    console.err << USAGE << "\nTry 'realmsfall --help' for more information." << std::endl;
    return EXIT_USAGE;
}

std::string describe(const std::string& path, const StandingsDamage& damage) {
    const std::string where = damage.line > 0 ? ", line " + std::to_string(damage.line) : "";
    return path + where + ": " + damage.what + "; the file was left as it is";
}

int complainOfDamage(Console& console, const std::string& path, const StandingsDamage& damage) {
    complain(console, describe(path, damage));
    return EXIT_DAMAGED_STANDINGS;
}

std::function<void()> waitingLine(Console& console, const std::string& path) {
    return [&console, path] {
        complain(console, path + ": waiting for another program to release it (Ctrl-C gives up)");
    };
}

void noteRecovery(Console& console, const std::string& path, Recovery recovery) {
    switch (recovery) {
    case Recovery::COMPLETED:
        complain(console, path + ": a save that was cut off has been completed");
        break;
    case Recovery::UNDONE:
        complain(console, path + ": a save that was cut off has been undone; the file is as it "
                                 "was before it");
        break;
    case Recovery::NONE:
        break;
    }
}

int complainOfSave(Console& console, const std::string& path, const FileTrouble& trouble) {
    if (trouble.kind == FileTrouble::GAVE_UP) {
        complain(console, path + ": gave up waiting; the games of this run were not saved");
    } else {
        complain(console, "the results could not be saved to " + path + ": " + trouble.why);
    }
    return EXIT_NOT_SAVED;
}

std::variant<StartingStandings, int> openOrComplain(Console& console, const std::string& path,
                                                    bool keeps,
                                                    const std::function<void()>& onceFound) {
    auto opened = openStandings(path, keeps, waitingLine(console, path));
    if (const auto* refused = std::get_if<StartRefused>(&opened)) {
        if (refused->notKept) {
            complain(console, path + ": " + refused->why +
                                  "; keep the records elsewhere with -f FILE, or play without "
                                  "keeping them with --deal N");
            return EXIT_NOT_SAVED;
        }
        complain(console, path + ": " + refused->why);
        return EXIT_DAMAGED_STANDINGS;
    }
    if (std::holds_alternative<StartInterrupted>(opened)) {
        return EXIT_INPUT_ENDED;
    }
    if (onceFound) {
        onceFound();
    }
    if (const auto* damage = std::get_if<StandingsDamage>(&opened)) {
        return complainOfDamage(console, path, *damage);
    }
    StartingStandings& start = std::get<StartingStandings>(opened);
    noteRecovery(console, path, start.recovery);
    return std::move(start);
}

} // namespace realmsfall
