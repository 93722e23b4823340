#include "driver/standings_file.h"

#include "driver/signals.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace realmsfall {

namespace {

constexpr const char* TEMPORARY_TAIL = ".tmp";
constexpr std::size_t TEMPORARY_TAG = 6; // mkstemp's six letters and digits

// A file descriptor that closes itself.
class Descriptor {
  public:
    Descriptor() = default;
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Descriptor& operator=(Descriptor&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int get() const { return fd_; }
    // Closes now, so that a failure to close can be seen.
    bool close() { return ::close(std::exchange(fd_, -1)) == 0; }

  private:
    int fd_ = -1;
};

std::string errorText(int error) {
    return std::strerror(error);
}

// What a file that is no plain file is, in the player's words: the kinds besides a plain file
// that a file's status can tell.
std::string whatItIs(mode_t mode) {
    if (S_ISDIR(mode)) {
        return "it is a folder";
    }
    if (S_ISFIFO(mode)) {
        return "it is a fifo";
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return "it is a device";
    }
    return "it is a socket";
}

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// The file, opened and locked, with what it was when locked.
struct Locked {
    Descriptor file;
    struct stat status {};
};

// The file cannot be opened or locked, for the reason given.
struct Refused {
    std::string why;
};

// A folder, fifo, device or socket: never read, never replaced.
struct Special {
    std::string what;
};

struct Missing {};

// Waits for the lock. Gives up when a termination signal interrupts the wait; where the file
// system offers no locks, goes on without one.
bool lock(int fd, int operation) {
    while (flock(fd, operation) != 0) {
        if (errno != EINTR) {
            return true;
        }
        if (terminationSignal() != 0) {
            return false;
        }
    }
    return true;
}

// Opens the file with `flags` and takes the lock. The file is looked at before it is opened, so
// that a fifo or device is never opened; when a rename replaced the file while this run waited
// for the lock, the new one is opened instead.
std::variant<Locked, Missing, Refused, Special, StartInterrupted>
openLocked(const std::string& path, int flags, int operation) {
    for (;;) {
        struct stat named {};
        if (stat(path.c_str(), &named) != 0) {
            if (errno != ENOENT) {
                return Refused{errorText(errno)};
            }
            if ((flags & O_CREAT) == 0) {
                return Missing{};
            }
        } else if (!S_ISREG(named.st_mode)) {
            return Special{whatItIs(named.st_mode)};
        }
        Locked locked{
            Descriptor(open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666)), {}};
        if (locked.file.get() < 0) {
            if (errno == ENOENT && (flags & O_CREAT) == 0) {
                continue; // removed since it was looked at
            }
            return Refused{errorText(errno)};
        }
        fstat(locked.file.get(), &locked.status); // an open file always has a status
        if (!S_ISREG(locked.status.st_mode)) {
            return Special{whatItIs(locked.status.st_mode)};
        }
        if (!lock(locked.file.get(), operation)) {
            return StartInterrupted{};
        }
        struct stat now {};
        if (stat(path.c_str(), &now) == 0 && sameFile(now, locked.status)) {
            return locked;
        }
    }
}

// The whole file from its start, or the reason it cannot be read.
std::optional<std::string> readAll(const Locked& locked, std::string& text) {
    text.clear();
    text.reserve(static_cast<std::size_t>(locked.status.st_size));
    char block[BUFSIZ];
    for (;;) {
        const ssize_t got = read(locked.file.get(), block, sizeof block);
        if (got > 0) {
            text.append(block, static_cast<std::size_t>(got));
        } else if (got == 0) {
            return std::nullopt;
        } else if (errno != EINTR) {
            return errorText(errno);
        }
    }
}

bool writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t put = write(fd, text.data(), text.size());
        if (put > 0) {
            text.remove_prefix(static_cast<std::size_t>(put));
        } else if (errno != EINTR) {
            return false;
        }
    }
    return true;
}

// The folder and name of the file a save replaces: through a symbolic link, the file it points
// to, so that the link stays.
std::pair<std::string, std::string> whereSaved(const std::string& path) {
    std::string target = path;
    if (char* const resolved = realpath(path.c_str(), nullptr)) {
        target = resolved;
        std::free(resolved);
    }
    const std::filesystem::path file(target);
    return {file.has_parent_path() ? file.parent_path().string() : ".", file.filename().string()};
}

// ".standings.txt.Ab12Cd.tmp" beside "standings.txt".
bool isTemporaryOf(std::string_view entry, const std::string& name) {
    const std::string head = "." + name + ".";
    const std::string_view tail = TEMPORARY_TAIL;
    if (entry.size() != head.size() + TEMPORARY_TAG + tail.size() || !entry.starts_with(head) ||
        !entry.ends_with(tail)) {
        return false;
    }
    const std::string_view tag = entry.substr(head.size(), TEMPORARY_TAG);
    return std::all_of(tag.begin(), tag.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    });
}

// Saves happen only under the exclusive lock, so any temporary file there is a killed run's.
void removeLeftovers(const std::string& folder, const std::string& name) {
    DIR* const entries = opendir(folder.c_str());
    if (entries == nullptr) {
        return;
    }
    while (const dirent* const entry = readdir(entries)) {
        if (isTemporaryOf(entry->d_name, name)) {
            unlinkat(dirfd(entries), entry->d_name, 0);
        }
    }
    closedir(entries);
}

// A folder that cannot be synced is no failure: the rename is made all the same.
void syncFolder(const std::string& folder) {
    const Descriptor handle(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (handle.get() >= 0) {
        fsync(handle.get());
    }
}

std::string damagedMeanwhile(const StandingsDamage& damage) {
    return "it was damaged meanwhile, on line " + std::to_string(damage.line) + ": " + damage.what;
}

// A save that a rename cannot make: the file is rewritten in place instead.
struct InPlaceInstead {};

// The new content, written straight into a temporary file beside the old one, which is renamed
// over it. In place instead when the temporary file cannot be made as the old file is (folder,
// owner, group) or the rename fails.
std::variant<SaveFailure, InPlaceInstead>
replaceByRename(const std::string& folder, const std::string& name, const Locked& old,
                std::string_view current, const Compose& compose) {
    std::string temporary = folder + "/." + name + ".XXXXXX" + TEMPORARY_TAIL;
    Descriptor file(
        mkostemps(temporary.data(), static_cast<int>(std::strlen(TEMPORARY_TAIL)), O_CLOEXEC));
    if (file.get() < 0) {
        return InPlaceInstead{};
    }
    if (fchown(file.get(), old.status.st_uid, old.status.st_gid) != 0) {
        unlink(temporary.c_str());
        return InPlaceInstead{};
    }
    fchmod(file.get(), old.status.st_mode & 07777);
    int error = 0;
    const auto write = [&](std::string_view piece) {
        if (error == 0 && !writeAll(file.get(), piece)) {
            error = errno;
        }
    };
    const std::optional<StandingsDamage> damage = compose(current, write);
    if (error == 0 && !damage && fsync(file.get()) != 0) {
        error = errno;
    }
    if (!file.close() && error == 0 && !damage) {
        error = errno;
    }
    if (damage || error != 0) {
        unlink(temporary.c_str());
        return SaveFailure(damage ? damagedMeanwhile(*damage) : errorText(error));
    }
    const std::string target = folder + "/" + name;
    if (rename(temporary.c_str(), target.c_str()) != 0) {
        unlink(temporary.c_str());
        return InPlaceInstead{};
    }
    syncFolder(folder);
    return SaveFailure(); // saved
}

// Written over the old content, then cut to size and synced: the file is never empty meanwhile.
SaveFailure rewriteInPlace(const Locked& old, std::string_view current, const Compose& compose) {
    std::string content;
    if (const auto damage =
            compose(current, [&content](std::string_view piece) { content.append(piece); })) {
        return damagedMeanwhile(*damage);
    }
    const int fd = old.file.get();
    if (lseek(fd, 0, SEEK_SET) != 0 || !writeAll(fd, content)) {
        return errorText(errno);
    }
    if (ftruncate(fd, static_cast<off_t>(content.size())) != 0 || fsync(fd) != 0) {
        return errorText(errno);
    }
    return std::nullopt;
}

SaveFailure replaceContent(const std::string& path, const Locked& old, std::string_view current,
                           const Compose& compose) {
    const auto [folder, name] = whereSaved(path);
    removeLeftovers(folder, name);
    if (old.status.st_nlink <= 1) {
        const auto renamed = replaceByRename(folder, name, old, current, compose);
        if (const auto* done = std::get_if<SaveFailure>(&renamed)) {
            return *done;
        }
    }
    return rewriteInPlace(old, current, compose);
}

std::optional<StandingsDamage> writeFresh(std::string_view,
                                          const std::function<void(std::string_view)>& write) {
    write(FRESH_STANDINGS);
    return std::nullopt;
}

} // namespace

std::variant<StartingStandings, StandingsDamage, StartInterrupted>
openStandings(const std::string& path, bool create) {
    const auto unreadable = [](const std::string& why) {
        return StandingsDamage{0, "cannot be read: " + why};
    };
    StartingStandings start;
    auto shared = openLocked(path, O_RDONLY, LOCK_SH);
    if (const auto* refused = std::get_if<Refused>(&shared)) {
        return unreadable(refused->why);
    }
    if (const auto* special = std::get_if<Special>(&shared)) {
        return unreadable(special->what);
    }
    if (std::holds_alternative<StartInterrupted>(shared)) {
        return StartInterrupted{};
    }
    if (const auto* locked = std::get_if<Locked>(&shared)) {
        if (const auto failure = readAll(*locked, start.text)) {
            return unreadable(*failure);
        }
        if (!startsAfresh(start.text)) {
            return start;
        }
    }
    shared = Missing{}; // the shared lock goes
    start.text = FRESH_STANDINGS;
    if (!create) {
        return start;
    }
    // Missing, or to be started afresh: under the exclusive lock, unless another run has done
    // so meanwhile.
    const TerminationHeld signalsHeld;
    auto own = openLocked(path, O_RDWR | O_CREAT, LOCK_EX);
    if (const auto* special = std::get_if<Special>(&own)) {
        return unreadable(special->what);
    }
    if (const auto* refused = std::get_if<Refused>(&own)) {
        start.notKept = "cannot be created: " + refused->why;
        return start;
    }
    const auto* const locked = std::get_if<Locked>(&own);
    if (locked == nullptr) {
        return StartInterrupted{};
    }
    std::string now;
    if (const auto failure = readAll(*locked, now)) {
        return unreadable(*failure);
    }
    if (!startsAfresh(now)) {
        start.text = std::move(now);
    } else if (const SaveFailure failure = replaceContent(path, *locked, "", writeFresh)) {
        start.notKept = "cannot be created: " + *failure;
    }
    return start;
}

SaveFailure saveStandings(const std::string& path, const Compose& compose) {
    const TerminationHeld signalsHeld;
    auto own = openLocked(path, O_RDWR | O_CREAT, LOCK_EX);
    if (const auto* refused = std::get_if<Refused>(&own)) {
        return refused->why;
    }
    if (const auto* special = std::get_if<Special>(&own)) {
        return special->what;
    }
    const auto* const locked = std::get_if<Locked>(&own);
    if (locked == nullptr) {
        return std::string("the wait for the file was cut off");
    }
    std::string current;
    if (const auto failure = readAll(*locked, current)) {
        return failure;
    }
    return replaceContent(path, *locked, current, compose);
}

} // namespace realmsfall
