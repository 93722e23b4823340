#pragma once

// "standings.txt" on disk: found once, read at start-up under a shared lock, written back under
// an exclusive one, so that runs side by side each keep their games, and all or nothing, so that
// no cut-off save loses anyone's records.
#include "driver/careful_file.h"
#include "driver/standings.h"

#include <functional>
#include <string>
#include <variant>

namespace realmsfall {

// The file as a run starts from.
struct StartingStandings {
    FileHome home;
    std::string text;    // the file's content, or the fresh content it was given
    bool exists = false; // a file stood under the name (a run that plays has made one)
    Recovery recovery = Recovery::NONE;
};

// A start-up that a signal cut off while it waited for another program's lock.
struct StartInterrupted {};

// A file that a run refuses before it shows anything, and why: one that cannot be kept (made or
// written), or one that may not be read (reached through another user's link).
struct StartRefused {
    bool notKept;
    std::string why;
};

// Finds and reads the file. A run that plays (`keeps`) completes or undoes a save that was cut
// off, must be able to write the file, and makes it when it is missing or empty, or when its
// first word runs to its very end; a run that only looks reads such a file as a fresh one.
// A folder, fifo, device or socket is refused unread, as is a file that cannot be read: the
// damage then has line 0. `announce` is told when the run waits for another program's lock.
std::variant<StartingStandings, StandingsDamage, StartRefused, StartInterrupted>
openStandings(const std::string& path, bool keeps, const std::function<void()>& announce);

// The write back: the file is read again under the exclusive lock and replaced by what `compose`
// makes of it, unless it was damaged meanwhile. When the run was ended by a signal, the wait for
// the lock is short.
std::optional<FileTrouble> saveStandings(
    const FileHome& home, const std::function<void()>& announce,
    const std::function<std::optional<StandingsDamage>(
        std::string_view current, const std::function<void(std::string_view)>& write)>& compose,
    Recovery& recovery);

} // namespace realmsfall
