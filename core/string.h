#pragma once

#include "core/stream_scan.h" // isWhitespace

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

namespace realmsfall {

// The game's own growable text string. Growth is exact-fit: the buffer always holds exactly
// `capacity` bytes, and appending never leaves spare room behind.
class String {
  public:
    // Length and capacity are 32-bit counts, and the capacity includes the terminating NUL; only
    // a string moved from has a capacity of 0.
    static constexpr std::uint32_t MAX_LENGTH = 0xFFFFFFFEu;

    String();
    String(const char* text); // NOLINT: implicit on purpose, texts are used as Strings everywhere
    String(const String& other);
    ~String();

    // Assignment takes over the source's capacity: a buffer of a different size is replaced,
    // a buffer of the same size is reused.
    void operator=(const String& other);

    // A string about to go hands its buffer over instead of having it copied. A string built
    // from it takes the buffer as it is, and the source is left holding the empty text with no
    // buffer of its own (capacity 0, a terminator shared by all such strings): it may still be
    // read, assigned to, appended to or destroyed. Assignment hands the buffer over where it
    // would replace it anyway, and the source is left with the buffer it gets in exchange.
    String(String&& other) noexcept;
    void operator=(String&& other) noexcept;

    String& operator+=(const String& other);
    String& operator+=(const char* text);
    String& operator+=(char c);

    // Appends `count` bytes at once.
    void append(const char* text, std::uint32_t count);

    // Makes room for `n` characters in one step, as appending up to that length would: the
    // buffer is then exactly n + 1 bytes, and appends up to that length keep it.
    void reserve(std::uint32_t n);

    std::uint32_t length() const { return length_; }
    std::uint32_t capacity() const { return capacity_; }
    const char* c_str() const { return buffer_; }
    // A character of the text; reading may go as far as the terminator.
    char& operator[](std::uint32_t i) {
        assert(i < length_);
        return buffer_[i];
    }
    const char& operator[](std::uint32_t i) const {
        assert(i <= length_);
        return buffer_[i];
    }

  private:
    char* buffer_;
    std::uint32_t capacity_;
    std::uint32_t length_;
};

String operator+(const String& left, const String& right);

// Byte-wise comparison as unsigned bytes; a prefix orders first.
int compare(const String& a, const String& b);
inline bool operator==(const String& a, const String& b) {
    return compare(a, b) == 0;
}
inline bool operator!=(const String& a, const String& b) {
    return compare(a, b) != 0;
}
inline bool operator<(const String& a, const String& b) {
    return compare(a, b) < 0;
}
inline bool operator<=(const String& a, const String& b) {
    return compare(a, b) <= 0;
}
inline bool operator>(const String& a, const String& b) {
    return compare(a, b) > 0;
}
inline bool operator>=(const String& a, const String& b) {
    return compare(a, b) >= 0;
}

// Writes the text as a plain character sequence, so width, fill and adjustment apply.
std::ostream& operator<<(std::ostream& out, const String& s);

// The text's bytes, for the standard library's text functions.
std::string_view view(const String& s);

// Appends the text to a line being put together, then blanks up to `width` characters in all: a
// field of that width, left-adjusted, as the screen writes its columns.
void appendField(std::string& line, const String& s, std::size_t width);

// The text with every byte that cannot be printed shown as "?".
std::string printable(std::string_view text);

// Word read: skips whitespace, then takes characters up to (not including) the next
// whitespace character, which stays in the stream. A word longer than `limit` is cut there and
// the rest of its line dropped, up to the newline.
void readWord(std::istream& in, String& word, std::uint32_t limit);
std::istream& operator>>(std::istream& in, String& word); // up to the longest String

// Line read: the rest of the current line, blanks kept; the newline is taken and dropped. A line
// longer than `limit` is cut there and the rest of it dropped.
void readLine(std::istream& in, String& line, std::uint32_t limit = String::MAX_LENGTH);

} // namespace realmsfall
