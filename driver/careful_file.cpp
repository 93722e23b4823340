#include "driver/careful_file.h"

#include "driver/signals.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <deque>
#include <dirent.h>
#include <fcntl.h>
#include <limits>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

namespace realmsfall {

namespace {

constexpr const char* TEMPORARY_TAIL = ".tmp";
constexpr std::size_t TEMPORARY_TAG = 6; // six letters and digits
constexpr int MOST_LINKS = 40;           // as many as the kernel follows in one path
constexpr std::size_t PIECE = std::size_t{1} << 16;
constexpr std::size_t COPY_PIECE = std::size_t{1} << 20;
constexpr std::size_t FIRST_ROOM = std::size_t{64} << 20;
constexpr std::uint64_t PAGE = 4096; // the smallest page a write is copied in
constexpr std::array<char, 8> JOURNAL_MARK = {'\0', 'j', 'o', 'u', 'r', 'n', 'a', 'l'};
constexpr auto TICK = std::chrono::milliseconds(100);
constexpr auto ANNOUNCE_AFTER = std::chrono::seconds(1);

std::string errorText(int error) {
    return std::strerror(error);
}

// What a file that is no plain file is, in the player's words.
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
    if (S_ISLNK(mode)) {
        return "it has become a symbolic link";
    }
    return "it is a socket";
}

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// --- Finding the file ---

std::deque<std::string> partsOf(std::string_view path) {
    std::deque<std::string> parts;
    for (std::size_t at = 0; at < path.size();) {
        const std::size_t slash = std::min(path.find('/', at), path.size());
        if (slash > at) {
            parts.emplace_back(path.substr(at, slash - at));
        }
        at = slash + 1;
    }
    if (path.ends_with('/')) {
        parts.emplace_back("."); // only a folder may stand before a final slash
    }
    return parts;
}

Descriptor openFolder(int at, const char* name) {
    return Descriptor(openat(at, name, O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

// A link the kernel would not follow in a folder it guards: a sticky folder anyone may write to,
// where the link belongs neither to the folder's owner nor to the one who follows it.
bool guardedAgainst(int folder, const struct stat& link) {
    struct stat place {};
    if (fstat(folder, &place) != 0) {
        return true;
    }
    const bool guarded = (place.st_mode & S_ISVTX) != 0 && (place.st_mode & S_IWOTH) != 0;
    return guarded && link.st_uid != place.st_uid && link.st_uid != geteuid();
}

// What a link points to. Some links (those under /proc) tell no size, so the room grows.
std::optional<std::string> linkTarget(int folder, const std::string& name, std::size_t size) {
    for (std::string target(std::max<std::size_t>(size, 64) + 1, '\0');;
         target.resize(target.size() * 2)) {
        const ssize_t got = readlinkat(folder, name.c_str(), target.data(), target.size());
        if (got < 0) {
            return std::nullopt;
        }
        if (static_cast<std::size_t>(got) < target.size()) {
            target.resize(static_cast<std::size_t>(got));
            return target;
        }
    }
}

// --- Locks ---

extern "C" void tick(int) {}

// A clock that interrupts a waiting lock every tick while it lives, so that the wait can look at
// the time and at the signals that arrived.
class Ticking {
  public:
    Ticking() {
        struct sigaction ticked {}; // no SA_RESTART: a waiting flock returns
        ticked.sa_handler = tick;
        sigaction(SIGALRM, &ticked, &handler_);
        const auto micro = std::chrono::duration_cast<std::chrono::microseconds>(TICK).count();
        const itimerval every{{0, micro}, {0, micro}};
        setitimer(ITIMER_REAL, &every, &timer_);
    }
    ~Ticking() {
        setitimer(ITIMER_REAL, &timer_, nullptr);
        sigaction(SIGALRM, &handler_, nullptr);
    }
    Ticking(const Ticking&) = delete;
    Ticking& operator=(const Ticking&) = delete;

  private:
    struct sigaction handler_ {};
    itimerval timer_{};
};

// Takes the lock, waiting for it as long as `patience` allows. False when the wait was given up.
// Where the file system offers no locks, goes on without one.
bool lockPatiently(int fd, int operation, const Patience& patience) {
    if (flock(fd, operation | LOCK_NB) == 0 || errno != EWOULDBLOCK) {
        return true;
    }
    const int signalsBefore = terminationsSoFar();
    const auto start = std::chrono::steady_clock::now();
    const Ticking ticking;
    for (bool announced = false;;) {
        if (terminationsSoFar() != signalsBefore) {
            return false;
        }
        if (flock(fd, operation) == 0 || errno != EINTR) {
            return true;
        }
        const auto waited = std::chrono::steady_clock::now() - start;
        if (!announced && waited >= ANNOUNCE_AFTER) {
            announced = true;
            if (patience.announce) {
                patience.announce();
            }
        }
        if (patience.limit && waited >= *patience.limit) {
            return false;
        }
    }
}

// The file, opened and locked, with its status once locked.
struct Locked {
    Descriptor file;
    struct stat status {};
};

struct Missing {};

// Opens the file by its name in its folder with `flags` and takes the lock. The name is looked
// at before it is opened, so that a fifo or device is never opened; when a rename replaced the
// file while the run waited for the lock, the new one is opened instead. A run that reads is
// told what cannot be read; a run that writes, why the file is not kept.
std::variant<Locked, Missing, FileTrouble> openLocked(const FileHome& home, int flags,
                                                      int operation, const Patience& patience) {
    const bool writing = (flags & O_CREAT) != 0;
    const auto trouble = [writing](const std::string& why) {
        return writing ? FileTrouble{FileTrouble::NOT_KEPT, why}
                       : FileTrouble{FileTrouble::UNREADABLE, "cannot be read: " + why};
    };
    if (home.folder.get() < 0) {
        if (writing) {
            return trouble("cannot be created: " + home.folderMissing);
        }
        return Missing{};
    }
    const char* const name = home.name.c_str();
    for (;;) {
        struct stat named {};
        if (fstatat(home.folder.get(), name, &named, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno != ENOENT) {
                return trouble(errorText(errno));
            }
            if (!writing) {
                return Missing{};
            }
        } else if (!S_ISREG(named.st_mode)) {
            return trouble(whatItIs(named.st_mode));
        }
        Locked locked{
            Descriptor(openat(home.folder.get(), name,
                              flags | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666)),
            {}};
        if (locked.file.get() < 0) {
            if (errno == ENOENT && !writing) {
                continue; // removed since it was looked at
            }
            return trouble(errno == ELOOP ? whatItIs(S_IFLNK) : errorText(errno));
        }
        if (!lockPatiently(locked.file.get(), operation, patience)) {
            return FileTrouble{FileTrouble::GAVE_UP, "gave up waiting"};
        }
        fstat(locked.file.get(), &locked.status); // an open file always has a status
        if (!S_ISREG(locked.status.st_mode)) {
            return trouble(whatItIs(locked.status.st_mode));
        }
        struct stat now {};
        if (fstatat(home.folder.get(), name, &now, AT_SYMLINK_NOFOLLOW) == 0 &&
            sameFile(now, locked.status)) {
            return locked;
        }
    }
}

// --- Reading ---

bool readAt(int fd, char* into, std::size_t size, std::uint64_t at) {
    while (size > 0) {
        const ssize_t got = pread(fd, into, size, static_cast<off_t>(at));
        if (got > 0) {
            into += got;
            size -= static_cast<std::size_t>(got);
            at += static_cast<std::uint64_t>(got);
        } else if (got == 0) {
            errno = EIO; // the file is shorter than its status said
            return false;
        } else if (errno != EINTR) {
            return false;
        }
    }
    return true;
}

bool writeAt(int fd, std::string_view text, std::uint64_t at) {
    while (!text.empty()) {
        const ssize_t put = pwrite(fd, text.data(), text.size(), static_cast<off_t>(at));
        if (put > 0) {
            text.remove_prefix(static_cast<std::size_t>(put));
            at += static_cast<std::uint64_t>(put);
        } else if (put == 0) {
            errno = ENOSPC;
            return false;
        } else if (errno != EINTR) {
            return false;
        }
    }
    return true;
}

std::string tooLong() {
    return "cannot be read: it holds more than " + std::to_string(CONTENT_CEILING >> 20) +
           " MiB before its end, more than the game will hold";
}

// The content from `from`, read in pieces up to where `end` says it ends, or up to `size` bytes.
std::variant<std::string, FileTrouble> readContent(int fd, std::uint64_t from, std::uint64_t size,
                                                   const ContentEnd& end) {
    std::string text;
    text.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(size, FIRST_ROOM)));
    std::array<char, PIECE> piece;
    for (std::uint64_t at = from;;) {
        const ssize_t got = pread(fd, piece.data(), piece.size(), static_cast<off_t>(at));
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return FileTrouble{FileTrouble::UNREADABLE, "cannot be read: " + errorText(errno)};
        }
        const std::size_t taken = static_cast<std::size_t>(
            std::min<std::uint64_t>(static_cast<std::uint64_t>(got), from + size - at));
        if (taken == 0) {
            return text;
        }
        if (text.size() + taken > CONTENT_CEILING) {
            return FileTrouble{FileTrouble::UNREADABLE, tooLong()};
        }
        text.append(piece.data(), taken);
        at += taken;
        if (const std::optional<std::size_t> length = end(text)) {
            text.resize(std::min(*length, text.size()));
            return text;
        }
    }
}

// --- The journal of a save in place ---

void putNumber(char* at, std::uint64_t n) {
    for (int byte = 0; byte < 8; ++byte) {
        at[byte] = static_cast<char>(n >> (8 * byte));
    }
}

std::uint64_t takeNumber(const char* at) {
    std::uint64_t n = 0;
    for (int byte = 7; byte >= 0; --byte) {
        n = n << 8 | static_cast<unsigned char>(at[byte]);
    }
    return n;
}

constexpr std::size_t JOURNAL_NUMBERS = 32;

// Where the new content of a save in place goes: past both the old and the new content, and so
// that the journal behind it lies within one page, which a kill cannot cut in two.
std::uint64_t newContentAt(std::uint64_t oldSize, std::uint64_t newSize) {
    const std::uint64_t at = std::max(oldSize, newSize);
    const std::uint64_t inPage = (at + newSize) % PAGE;
    return inPage + JOURNAL_SIZE <= PAGE ? at : at + PAGE - inPage;
}

// The journal that the file's last bytes hold, when they hold one whole.
std::optional<Journal> journalOf(int fd, std::uint64_t fileSize) {
    if (fileSize < JOURNAL_SIZE) {
        return std::nullopt;
    }
    std::array<char, JOURNAL_SIZE> bytes;
    if (!readAt(fd, bytes.data(), bytes.size(), fileSize - JOURNAL_SIZE) ||
        !std::equal(JOURNAL_MARK.begin(), JOURNAL_MARK.end(), bytes.end() - JOURNAL_MARK.size())) {
        return std::nullopt;
    }
    const Journal journal{takeNumber(&bytes[0]), takeNumber(&bytes[8]), takeNumber(&bytes[16]),
                          takeNumber(&bytes[24])};
    if (journalBytes(journal) != bytes ||
        journal.newAt != newContentAt(journal.oldSize, journal.newSize) ||
        journal.newSize > fileSize - JOURNAL_SIZE ||
        journal.newAt != fileSize - JOURNAL_SIZE - journal.newSize) {
        return std::nullopt;
    }
    return journal;
}

// Whether the new content that the journal points to is whole, as checked.
bool madeWhole(int fd, const Journal& journal) {
    std::uint64_t check = contentCheck({});
    std::string piece(COPY_PIECE, '\0');
    for (std::uint64_t done = 0; done < journal.newSize;) {
        const std::size_t size =
            static_cast<std::size_t>(std::min<std::uint64_t>(COPY_PIECE, journal.newSize - done));
        if (!readAt(fd, piece.data(), size, journal.newAt + done)) {
            return false;
        }
        check = contentCheck({piece.data(), size}, check);
        done += size;
    }
    return check == journal.check;
}

bool syncedTo(int fd, std::uint64_t size) {
    return ftruncate(fd, static_cast<off_t>(size)) == 0 && fsync(fd) == 0;
}

// Cuts the file back to its old size, and gives back the room claimed past it.
void undo(int fd, std::uint64_t oldSize) {
    fallocate(fd, FALLOC_FL_PUNCH_HOLE | FALLOC_FL_KEEP_SIZE, static_cast<off_t>(oldSize),
              std::numeric_limits<off_t>::max() - static_cast<off_t>(oldSize));
    syncedTo(fd, oldSize);
}

// The new content copied over the old, then the file cut to it: the save's second half, which
// may be done again as often as a kill cuts it off.
bool putInPlace(int fd, const Journal& journal) {
    std::string piece(COPY_PIECE, '\0');
    for (std::uint64_t done = 0; done < journal.newSize;) {
        const std::size_t size =
            static_cast<std::size_t>(std::min<std::uint64_t>(COPY_PIECE, journal.newSize - done));
        if (!readAt(fd, piece.data(), size, journal.newAt + done) ||
            !writeAt(fd, {piece.data(), size}, done)) {
            return false;
        }
        done += size;
    }
    return fsync(fd) == 0 && syncedTo(fd, journal.newSize);
}

// Completes or undoes a save that a kill cut off, on a file locked for writing.
Recovery recover(int fd, std::uint64_t fileSize) {
    const std::optional<Journal> journal = journalOf(fd, fileSize);
    if (!journal) {
        return Recovery::NONE;
    }
    const TerminationHeld signalsHeld;
    if (madeWhole(fd, *journal)) {
        putInPlace(fd, *journal);
        return Recovery::COMPLETED;
    }
    undo(fd, journal->oldSize);
    return Recovery::UNDONE;
}

// The file's content as a save cut off left it: the new content when it was made, else the old.
std::variant<std::string, FileTrouble> currentContent(int fd, std::uint64_t fileSize,
                                                      const ContentEnd& end) {
    if (const std::optional<Journal> journal = journalOf(fd, fileSize)) {
        if (journal->newSize <= CONTENT_CEILING && madeWhole(fd, *journal)) {
            return readContent(fd, journal->newAt, journal->newSize, end);
        }
        return readContent(fd, 0, journal->oldSize, end);
    }
    return readContent(fd, 0, fileSize, end);
}

std::uint64_t sizeOf(const Locked& locked) {
    return static_cast<std::uint64_t>(locked.status.st_size);
}

// --- Replacing ---

using Written = std::function<void(std::string_view)>;

// Writes what `compose` makes of the current content through `put`; the reason it could not be
// made, or the error of the first write that failed.
std::optional<std::string> composeInto(const Compose& compose, std::string_view current,
                                       const std::function<bool(std::string_view)>& put) {
    int error = 0;
    const Written write = [&](std::string_view piece) {
        if (error == 0 && !put(piece)) {
            error = errno;
        }
    };
    if (const std::optional<std::string> why = compose(current, write)) {
        return why;
    }
    if (error != 0) {
        return errorText(error);
    }
    return std::nullopt;
}

std::string temporaryTag() {
    static std::mt19937 draw{std::random_device{}()};
    constexpr std::string_view SYMBOLS =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string tag;
    for (std::size_t i = 0; i < TEMPORARY_TAG; ++i) {
        tag += SYMBOLS[draw() % SYMBOLS.size()];
    }
    return tag;
}

// A new file beside the real one, named ".standings.txt.Ab12Cd.tmp" for "standings.txt".
std::pair<Descriptor, std::string> temporaryBeside(const FileHome& home, mode_t mode) {
    for (int tries = 0; tries < 100; ++tries) {
        std::string name = "." + home.name + "." + temporaryTag() + TEMPORARY_TAIL;
        Descriptor file(openat(home.folder.get(), name.c_str(),
                               O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
        if (file.get() >= 0 || errno != EEXIST) {
            return {std::move(file), std::move(name)};
        }
    }
    return {Descriptor(), ""};
}

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
void removeLeftovers(const FileHome& home) {
    const int listing = openat(home.folder.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* const entries = listing >= 0 ? fdopendir(listing) : nullptr;
    if (entries == nullptr) {
        if (listing >= 0) {
            close(listing);
        }
        return;
    }
    while (const dirent* const entry = readdir(entries)) {
        if (isTemporaryOf(entry->d_name, home.name)) {
            unlinkat(home.folder.get(), entry->d_name, 0);
        }
    }
    closedir(entries);
}

// A folder that cannot be synced is no failure: the rename is made all the same.
void syncFolder(const FileHome& home) {
    const Descriptor folder(openat(home.folder.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0) {
        fsync(folder.get());
    }
}

// A save that a rename cannot make: the file is rewritten in place instead.
struct InPlaceInstead {};

std::optional<FileTrouble> notKept(std::string why) {
    return FileTrouble{FileTrouble::NOT_KEPT, std::move(why)};
}

// The new content, written into a temporary file beside the old one, which is renamed over it
// if the name still holds the file that was locked and read.
std::variant<std::optional<FileTrouble>, InPlaceInstead> replaceByRename(const FileHome& home,
                                                                         const Locked& old,
                                                                         std::string_view current,
                                                                         const Compose& compose) {
    auto [file, temporary] = temporaryBeside(home, 0600);
    if (file.get() < 0) {
        return InPlaceInstead{};
    }
    const auto discard = [&home, &temporary = temporary] {
        unlinkat(home.folder.get(), temporary.c_str(), 0);
    };
    if (fchown(file.get(), old.status.st_uid, old.status.st_gid) != 0) {
        discard();
        return InPlaceInstead{};
    }
    fchmod(file.get(), old.status.st_mode & 07777);
    const TerminationHeld signalsHeld;
    std::uint64_t at = 0;
    std::optional<std::string> failure =
        composeInto(compose, current, [fd = file.get(), &at](std::string_view piece) {
            const bool put = writeAt(fd, piece, at);
            at += piece.size();
            return put;
        });
    if (!failure && (fsync(file.get()) != 0 || !file.close())) {
        failure = errorText(errno);
    }
    struct stat named {};
    if (!failure &&
        (fstatat(home.folder.get(), home.name.c_str(), &named, AT_SYMLINK_NOFOLLOW) != 0 ||
         !sameFile(named, old.status))) {
        failure = "another program put another file in its place meanwhile";
    }
    if (failure) {
        discard();
        return notKept(*failure);
    }
    if (renameat(home.folder.get(), temporary.c_str(), home.folder.get(), home.name.c_str()) != 0) {
        discard();
        return InPlaceInstead{};
    }
    syncFolder(home);
    return std::nullopt;
}

// Room for the new content and the journal past the old end, claimed before anything is written
// there; where the file system cannot claim room ahead, the gap up to the new content is written.
bool claimRoom(int fd, const Journal& journal) {
    const std::uint64_t end = journal.newAt + journal.newSize + JOURNAL_SIZE;
    if (fallocate(fd, FALLOC_FL_KEEP_SIZE, static_cast<off_t>(journal.oldSize),
                  static_cast<off_t>(end - journal.oldSize)) == 0) {
        return true;
    }
    if (errno != EOPNOTSUPP && errno != ENOSYS) {
        return false;
    }
    const std::string zeros(COPY_PIECE, '\0');
    for (std::uint64_t at = journal.oldSize; at < journal.newAt;) {
        const std::size_t size =
            static_cast<std::size_t>(std::min<std::uint64_t>(COPY_PIECE, journal.newAt - at));
        if (!writeAt(fd, {zeros.data(), size}, at)) {
            return false;
        }
        at += size;
    }
    return true;
}

// The save in place. First the journal goes past the old end, then the new content before it,
// and both are synced: until then the old content stands untouched, a kill leaves a journal
// whose check fails, and a failure cuts the file back. From then on the save is made: the new
// content is copied over the old and the file cut to it, which a run that finds the journal
// after a kill does again.
std::optional<FileTrouble> rewriteInPlace(const Locked& old, std::string_view current,
                                          const Compose& compose) {
    const int fd = old.file.get();
    Journal journal{sizeOf(old), 0, 0, contentCheck({})};
    if (auto failure = composeInto(compose, current, [&journal](std::string_view piece) {
            journal.newSize += piece.size();
            journal.check = contentCheck(piece, journal.check);
            return true;
        })) {
        return notKept(*failure);
    }
    journal.newAt = newContentAt(journal.oldSize, journal.newSize);
    const auto bytes = journalBytes(journal);
    const TerminationHeld signalsHeld;
    std::optional<std::string> failure;
    std::uint64_t written = 0, check = contentCheck({});
    if (!claimRoom(fd, journal) ||
        !writeAt(fd, {bytes.data(), bytes.size()}, journal.newAt + journal.newSize)) {
        failure = errorText(errno);
    } else {
        failure = composeInto(compose, current, [&](std::string_view piece) {
            check = contentCheck(piece, check);
            const bool fits = written + piece.size() <= journal.newSize;
            errno = EIO; // unless the write says otherwise: the content is not the one counted
            const bool put = fits && writeAt(fd, piece, journal.newAt + written);
            written += piece.size();
            return put;
        });
    }
    if (!failure && (written != journal.newSize || check != journal.check)) {
        failure = errorText(EIO); // the content is not the one counted
    }
    if (!failure && fsync(fd) != 0) {
        failure = errorText(errno);
    }
    if (failure) {
        undo(fd, journal.oldSize);
        return notKept(*failure);
    }
    putInPlace(fd, journal); // made: a run that finds the journal completes what fails here
    return std::nullopt;
}

} // namespace

Descriptor::~Descriptor() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

bool Descriptor::close() {
    return ::close(std::exchange(fd_, -1)) == 0;
}

std::variant<FileHome, std::string> findHome(const std::string& path) {
    FileHome home;
    home.folder = openFolder(AT_FDCWD, path.starts_with('/') ? "/" : ".");
    if (home.folder.get() < 0) {
        return "cannot be read: " + errorText(errno);
    }
    std::deque<std::string> parts = partsOf(path);
    if (parts.empty()) {
        parts.emplace_back(".");
    }
    for (int links = 0; !parts.empty();) {
        std::string part = std::move(parts.front());
        parts.pop_front();
        struct stat status {};
        if (fstatat(home.folder.get(), part.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno == ENOENT && !parts.empty()) {
                home = FileHome{Descriptor(), std::move(part), errorText(errno)};
                return home;
            }
            if (errno == ENOENT) {
                home.name = std::move(part);
                return home;
            }
            return "cannot be read: " + errorText(errno);
        }
        if (S_ISLNK(status.st_mode)) {
            if (guardedAgainst(home.folder.get(), status)) {
                return "refused: it leads through the symbolic link \"" + part +
                       "\", which another user owns in a folder that everyone may write to";
            }
            const std::optional<std::string> target =
                linkTarget(home.folder.get(), part, static_cast<std::size_t>(status.st_size));
            if (++links > MOST_LINKS || !target) {
                return "cannot be read: " + errorText(ELOOP);
            }
            if (target->starts_with('/')) {
                home.folder = openFolder(AT_FDCWD, "/");
            }
            std::deque<std::string> more = partsOf(*target);
            parts.insert(parts.begin(), more.begin(), more.end());
            continue;
        }
        if (parts.empty()) {
            home.name = std::move(part);
            return home;
        }
        if (!S_ISDIR(status.st_mode)) {
            return "cannot be read: " + errorText(ENOTDIR);
        }
        home.folder = openFolder(home.folder.get(), part.c_str());
        if (home.folder.get() < 0) {
            return "cannot be read: " + errorText(errno);
        }
    }
    home.name = ".";
    return home;
}

std::variant<FileContent, FileTrouble> readFile(const FileHome& home, bool mayRecover,
                                                const ContentEnd& end, const Patience& patience) {
    FileContent content;
    auto opened = openLocked(home, O_RDONLY, LOCK_SH, patience);
    if (auto* trouble = std::get_if<FileTrouble>(&opened)) {
        return std::move(*trouble);
    }
    auto* locked = std::get_if<Locked>(&opened);
    if (locked == nullptr) {
        return content;
    }
    if (mayRecover && journalOf(locked->file.get(), sizeOf(*locked))) {
        opened = Missing{}; // the shared lock goes
        auto own = openLocked(home, O_RDWR, LOCK_EX, patience);
        if (auto* trouble = std::get_if<FileTrouble>(&own)) {
            if (trouble->kind == FileTrouble::GAVE_UP) {
                return std::move(*trouble);
            }
            return readFile(home, false, end, patience); // seen as it stands, without writing
        }
        if (std::holds_alternative<Missing>(own)) {
            return content;
        }
        opened = std::move(own);
        locked = std::get_if<Locked>(&opened);
        content.recovery = recover(locked->file.get(), sizeOf(*locked));
        fstat(locked->file.get(), &locked->status);
    }
    content.exists = true;
    auto text = currentContent(locked->file.get(), sizeOf(*locked), end);
    if (auto* trouble = std::get_if<FileTrouble>(&text)) {
        return std::move(*trouble);
    }
    content.text = std::move(std::get<std::string>(text));
    return content;
}

std::optional<std::string> whyNotWritable(const FileHome& home) {
    if (home.folder.get() >= 0 && faccessat(home.folder.get(), home.name.c_str(), W_OK, 0) != 0 &&
        errno != ENOENT) {
        return "cannot be written: " + errorText(errno);
    }
    return std::nullopt;
}

std::optional<FileTrouble> makeFile(const FileHome& home, std::string_view content) {
    if (home.folder.get() < 0) {
        return notKept("cannot be created: " + home.folderMissing);
    }
    auto [file, temporary] = temporaryBeside(home, 0666);
    if (file.get() < 0) {
        return notKept("cannot be created: " + errorText(errno));
    }
    const TerminationHeld signalsHeld;
    std::optional<FileTrouble> trouble;
    if (!writeAt(file.get(), content, 0) || fsync(file.get()) != 0 || !file.close()) {
        trouble = notKept("cannot be created: " + errorText(errno));
    } else if (linkat(home.folder.get(), temporary.c_str(), home.folder.get(), home.name.c_str(),
                      0) == 0) {
        syncFolder(home);
    } else if (errno != EEXIST) {
        trouble = notKept("cannot be created: " + errorText(errno));
    }
    unlinkat(home.folder.get(), temporary.c_str(), 0);
    return trouble;
}

std::optional<FileTrouble> replaceFile(const FileHome& home, const ContentEnd& end,
                                       const Compose& compose, const Patience& patience,
                                       Recovery& recovery) {
    auto own = openLocked(home, O_RDWR | O_CREAT, LOCK_EX, patience);
    if (auto* trouble = std::get_if<FileTrouble>(&own)) {
        return std::move(*trouble);
    }
    Locked& locked = std::get<Locked>(own);
    recovery = recover(locked.file.get(), sizeOf(locked));
    fstat(locked.file.get(), &locked.status);
    if (journalOf(locked.file.get(), sizeOf(locked))) {
        return notKept("a save that was cut off could not be completed: " + errorText(errno));
    }
    auto current = readContent(locked.file.get(), 0, sizeOf(locked), end);
    if (auto* trouble = std::get_if<FileTrouble>(&current)) {
        return notKept(trouble->why);
    }
    removeLeftovers(home);
    if (locked.status.st_nlink <= 1) {
        auto renamed = replaceByRename(home, locked, std::get<std::string>(current), compose);
        if (auto* done = std::get_if<std::optional<FileTrouble>>(&renamed)) {
            return std::move(*done);
        }
    }
    return rewriteInPlace(locked, std::get<std::string>(current), compose);
}

std::array<char, JOURNAL_SIZE> journalBytes(const Journal& journal) {
    std::array<char, JOURNAL_SIZE> bytes{};
    putNumber(&bytes[0], journal.oldSize);
    putNumber(&bytes[8], journal.newSize);
    putNumber(&bytes[16], journal.newAt);
    putNumber(&bytes[24], journal.check);
    putNumber(&bytes[JOURNAL_NUMBERS], contentCheck({bytes.data(), JOURNAL_NUMBERS}));
    std::copy(JOURNAL_MARK.begin(), JOURNAL_MARK.end(), bytes.end() - JOURNAL_MARK.size());
    return bytes;
}

// FNV-1a, 64 bits.
std::uint64_t contentCheck(std::string_view text, std::uint64_t check) {
    for (const char c : text) {
        check = (check ^ static_cast<unsigned char>(c)) * 0x100000001b3u;
    }
    return check;
}

} // namespace realmsfall
