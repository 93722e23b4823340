#pragma once

// What a run says when it cannot go on as asked, and the exit status it then ends with: every
// complaint about the standings file or the command line is worded here.
#include "core/console.h"
#include "driver/standings_file.h"

#include <functional>
#include <string>
#include <variant>

namespace realmsfall {

// The exit statuses of a run besides 0, the normal end.
constexpr int EXIT_INPUT_ENDED = 1;       // the keyboard ran out or the screen went away first
constexpr int EXIT_DAMAGED_STANDINGS = 2; // the standings file is damaged or cannot be read
constexpr int EXIT_NOT_SAVED = 3;         // the records cannot be kept, or were not saved
constexpr int EXIT_USAGE = 64;            // the command line could not be understood

constexpr const char* USAGE = "Usage: realmsfall [OPTION]...";

// One line on the error stream, after the program's name.
void complain(Console& console, const std::string& line);

// The problem with the command line, the usage line and where to find help; yields EXIT_USAGE.
int complainOfUsage(Console& console, const std::string& problem);

// The one line of complaint about a damaged file: the file, the line and what is wrong there.
std::string describe(const std::string& path, const StandingsDamage& damage);

// Tells where and how the standings file at `path` is damaged; yields EXIT_DAMAGED_STANDINGS.
int complainOfDamage(Console& console, const std::string& path, const StandingsDamage& damage);

// What a run says when it has waited about a second for another program's lock on the file.
std::function<void()> waitingLine(Console& console, const std::string& path);

// Tells of a save that a kill cut off and this run completed or undid.
void noteRecovery(Console& console, const std::string& path, Recovery recovery);

// Tells why the games of the run were not saved; yields EXIT_NOT_SAVED.
int complainOfSave(Console& console, const std::string& path, const FileTrouble& trouble);

// Opens the standings file for a run that plays (`keeps`) or only looks. When the run cannot go
// on, the complaint is made and the exit status given. `onceFound` is called when the file has
// been found and before any damage in it is told: the game shows its opening there.
std::variant<StartingStandings, int> openOrComplain(Console& console, const std::string& path,
                                                    bool keeps,
                                                    const std::function<void()>& onceFound = {});

} // namespace realmsfall
