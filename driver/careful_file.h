#pragma once

// A text file that runs side by side share, kept all or nothing. It is found once, at the start
// of a run, and from then on reached only by its name in the folder it was found in, never
// through a symbolic link again. It is read under a lock, in pieces, up to where its content
// ends, and replaced whole or not at all, whatever cuts a save off: a kill, a full disk or a
// power cut once the syncs are made. What the text means is not known here, only where it ends.
#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace realmsfall {

// The most of a file that a run holds in memory; a file whose content runs on past it is
// refused unread.
constexpr std::size_t CONTENT_CEILING = std::size_t{1} << 30;

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
    ~Descriptor();
    int get() const { return fd_; }
    // Closes now, so that a failure to close can be seen.
    bool close();

  private:
    int fd_ = -1;
};

// Where the file lives: the folder it was found in, held open, and its name there. When a
// folder on the way does not exist, neither does the file, and it cannot be made.
struct FileHome {
    Descriptor folder;         // -1 when the folder is missing
    std::string name;          // "." when the path names a folder
    std::string folderMissing; // why there is no folder
};

// Finds the file's home, following the symbolic links on the way once and for all. A link that
// lies in a sticky folder anyone may write to, and belongs neither to that folder's owner nor to
// whoever runs the game, is refused, as the kernel refuses it where it guards such folders: the
// reason is given.
std::variant<FileHome, std::string> findHome(const std::string& path);

// Says where the content ends once `text`, all that was read from the start so far, holds it:
// its length. Nothing while it may go on. Asked again after every piece, with all that was read.
using ContentEnd = std::function<std::optional<std::size_t>(std::string_view text)>;

// How a wait for another program's lock goes. After about a second the wait is announced, once.
// A termination signal that arrives meanwhile gives the wait up, and so does the `limit`.
struct Patience {
    std::function<void()> announce;
    std::optional<std::chrono::milliseconds> limit;
};

// What went wrong. UNREADABLE: the file cannot be read or is no plain file; NOT_KEPT: it cannot
// be written, made or replaced; GAVE_UP: a wait for the lock was given up.
struct FileTrouble {
    enum Kind { UNREADABLE, NOT_KEPT, GAVE_UP } kind;
    std::string why;
};

// A save that a kill cut off, found and dealt with by the run that found it.
enum class Recovery {
    NONE,
    COMPLETED, // it had been made: its new content was put in place
    UNDONE,    // it had not been made: the file is as it was before it
};

struct FileContent {
    std::string text;    // the content, up to where it ends
    bool exists = false; // a file stands under the name
    Recovery recovery = Recovery::NONE;
};

// Reads the file under a shared lock. A save that was cut off is seen as it stood: its new
// content when it had been made, the old one otherwise. When `mayRecover`, a run that can write
// the file then completes or undoes that save on disk, under the exclusive lock.
std::variant<FileContent, FileTrouble> readFile(const FileHome& home, bool mayRecover,
                                                const ContentEnd& end, const Patience& patience);

// Why the run may not write the file that stands under the name, or nothing.
std::optional<std::string> whyNotWritable(const FileHome& home);

// Makes the file with `content`, all at once: nothing is left behind when that fails. When a file
// stands under the name by then, it is left as it is, and nothing is said.
std::optional<FileTrouble> makeFile(const FileHome& home, std::string_view content);

// Hands the file's current content to `compose`, which writes the new content piece by piece,
// or says why it cannot and nothing is to be saved. `compose` must write the same for the same
// content each time it is asked.
using Compose = std::function<std::optional<std::string>(
    std::string_view current, const std::function<void(std::string_view)>& write)>;

// Replaces the file's content under the exclusive lock, all or nothing: through a synced
// temporary file renamed over it, or, where a rename would change what the file is (other hard
// links, an owner or group the new file cannot get) or the folder takes no new file, in place
// through a journal at the file's end. Only the file that was locked and read is replaced; it
// keeps its owner and mode. A save that a kill cut off is first completed or undone.
std::optional<FileTrouble> replaceFile(const FileHome& home, const ContentEnd& end,
                                       const Compose& compose, const Patience& patience,
                                       Recovery& recovery);

// The journal of a save in place: the last bytes of the file while the save is under way. It
// holds where the old and the new content lie and a check of the new content, and ends in a mark
// that no text file holds.
constexpr std::size_t JOURNAL_SIZE = 48;
struct Journal {
    std::uint64_t oldSize = 0;
    std::uint64_t newSize = 0;
    std::uint64_t newAt = 0; // the larger of the two sizes
    std::uint64_t check = 0; // of the new content
};
std::array<char, JOURNAL_SIZE> journalBytes(const Journal& journal);
std::uint64_t contentCheck(std::string_view text, std::uint64_t check = 0xcbf29ce484222325u);

} // namespace realmsfall
