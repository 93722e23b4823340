#pragma once

// "standings.txt" on disk: read once at start-up under a shared lock, written back under an
// exclusive one, so that runs side by side in one folder each keep their games.
#include "driver/standings.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace realmsfall {

// The file as a run starts from.
struct StartingStandings {
    std::string text;                   // the file's bytes, or the fresh content it was given
    std::optional<std::string> notKept; // why a missing or empty file could not be created
};

// A start-up that a signal cut off while it waited for another run to finish its save.
struct StartInterrupted {};

// Reads the file whole. A missing or empty file, or one whose first word runs to its very end,
// is started afresh: when `create` is set, on disk under the exclusive lock (unless another run
// did so meanwhile); otherwise only as read. A folder, fifo, device or socket (or a link to one)
// is refused without being read, as is a file that cannot be read; the damage then has line 0.
std::variant<StartingStandings, StandingsDamage, StartInterrupted>
openStandings(const std::string& path, bool create);

// Why a save failed or was not made; nothing when it was made.
using SaveFailure = std::optional<std::string>;

// Hands the file's current bytes to `compose`, which writes the new content piece by piece or
// says how the file is damaged.
using Compose = std::function<std::optional<StandingsDamage>(
    std::string_view current, const std::function<void(std::string_view)>& write)>;

// The write back, under the exclusive lock and with the termination signals held back: the file
// is read again and replaced by what `compose` makes of it. A file that became damaged, special
// or unreadable meanwhile is not replaced. The new content goes to a temporary file beside the
// file (beside the file a symbolic link points to), which is synced and renamed over it; the
// file is rewritten in place instead where a rename would change what it is (other hard links,
// an owner or group the new file cannot get) or the folder takes no new file. Temporary files
// that killed runs left behind are removed.
SaveFailure saveStandings(const std::string& path, const Compose& compose);

} // namespace realmsfall
