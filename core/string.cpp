#include "core/string.h"

#include "core/stream_scan.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <istream>
#include <new>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>

namespace realmsfall {

namespace {

std::uint32_t textLength(const char* text) {
    return static_cast<std::uint32_t>(std::strlen(text));
}

// Before waiting for input, pending console output goes out. Yields whether the stream can still
// deliver characters.
bool startReading(std::istream& in) {
    if (!in.good()) {
        return false;
    }
    if (in.tie() != nullptr) {
        in.tie()->flush();
    }
    return true;
}

// Takes up to `limit` characters into `target`, which is made empty first and ends up an exact
// fit; when the text goes on beyond the limit, the rest of its line is dropped.
void takeInto(std::istream& in, String& target, std::uint32_t limit, Stop stop) {
    target = String();
    const std::uint64_t taken = scan(in, limit, stop, [&target](std::string_view piece) {
        target.append(piece.data(), static_cast<std::uint32_t>(piece.size()));
    });
    constexpr int END = std::char_traits<char>::eof();
    const int next = in.good() ? in.rdbuf()->sgetc() : END;
    const char nextChar = static_cast<char>(next);
    if (taken == limit && next != END && stop(std::string_view(&nextChar, 1)) == 1) {
        skip(in, firstNewline);
    }
}

// Buffers come from malloc, so that growing one is a realloc: a large buffer then grows where it
// lies instead of being copied, and still holds exactly the bytes asked for.
char* allocate(std::uint32_t bytes) {
    void* const buffer = std::malloc(bytes);
    if (buffer == nullptr) {
        throw std::bad_alloc();
    }
    return static_cast<char*>(buffer);
}

// The terminator that the strings without a buffer (capacity 0) share; never written.
const char NO_TEXT[1] = "";

char* sharedTerminator() {
    return const_cast<char*>(NO_TEXT); // NOLINT: only read, as the capacity of 0 says
}

// A buffer of `bytes`, or the shared terminator for none.
char* bufferOf(std::uint32_t bytes) {
    return bytes == 0 ? sharedTerminator() : allocate(bytes);
}

void release(char* buffer, std::uint32_t capacity) {
    if (capacity != 0) {
        std::free(buffer);
    }
}

} // namespace

String::String() : String("") {}

String::String(const char* text)
    : buffer_(nullptr), capacity_(textLength(text) + 1), length_(capacity_ - 1) {
    buffer_ = allocate(capacity_);
    std::memcpy(buffer_, text, capacity_);
}

String::String(const String& other)
    : buffer_(bufferOf(other.capacity_)), capacity_(other.capacity_), length_(other.length_) {
    if (capacity_ != 0) {
        std::memcpy(buffer_, other.buffer_, length_ + 1);
    }
}

String::~String() {
    release(buffer_, capacity_);
}

String::String(String&& other) noexcept
    : buffer_(other.buffer_), capacity_(other.capacity_), length_(other.length_) {
    other.buffer_ = sharedTerminator();
    other.capacity_ = 0;
    other.length_ = 0;
}

void String::operator=(String&& other) noexcept {
    // As for a copy, a buffer of the same size stays; one of another size gives way to the
    // source's own.
    if (other.capacity_ == capacity_) {
        if (capacity_ != 0) {
            length_ = other.length_;
            std::memmove(buffer_, other.buffer_, length_ + 1);
        }
        return;
    }
    std::swap(buffer_, other.buffer_);
    std::swap(capacity_, other.capacity_);
    std::swap(length_, other.length_);
}

void String::operator=(const String& other) {
    if (this == &other) {
        return;
    }
    if (other.capacity_ != capacity_) {
        char* const fresh = bufferOf(other.capacity_);
        release(buffer_, capacity_);
        buffer_ = fresh;
        capacity_ = other.capacity_;
    }
    length_ = other.length_;
    if (capacity_ != 0) {
        std::memcpy(buffer_, other.buffer_, length_ + 1);
    }
}

void String::reserve(std::uint32_t n) {
    if (n < capacity_) {
        return;
    }
    void* const grown = std::realloc(capacity_ == 0 ? nullptr : buffer_, n + 1);
    if (grown == nullptr) {
        throw std::bad_alloc();
    }
    buffer_ = static_cast<char*>(grown);
    buffer_[length_] = '\0'; // a string that had no buffer gets its terminator
    capacity_ = n + 1;
}

void String::append(const char* text, std::uint32_t count) {
    reserve(length_ + count);
    std::memmove(buffer_ + length_, text, count);
    length_ += count;
    buffer_[length_] = '\0';
}

String& String::operator+=(const String& other) {
    // Room first: when `other` is this string, growing moves the text it is about to append.
    reserve(length_ + other.length_);
    append(other.buffer_, other.length_);
    return *this;
}

String& String::operator+=(const char* text) {
    append(text, textLength(text));
    return *this;
}

String& String::operator+=(char c) {
    append(&c, 1);
    return *this;
}

String operator+(const String& left, const String& right) {
    String result(left);
    result += right;
    return result;
}

int compare(const String& a, const String& b) {
    const std::uint32_t shorter = a.length() < b.length() ? a.length() : b.length();
    const int bytes = std::memcmp(a.c_str(), b.c_str(), shorter);
    if (bytes != 0) {
        return bytes;
    }
    if (a.length() == b.length()) {
        return 0;
    }
    return a.length() < b.length() ? -1 : 1;
}

std::string_view view(const String& s) {
    return {s.c_str(), s.length()};
}

void appendField(std::string& line, const String& s, std::size_t width) {
    line.append(view(s));
    line.append(std::max<std::size_t>(width, s.length()) - s.length(), ' ');
}

std::ostream& operator<<(std::ostream& out, const String& s) {
    return out << view(s); // a text never holds a NUL byte
}

void readWord(std::istream& in, String& word, std::uint32_t limit) {
    if (startReading(in)) {
        skip(in, firstNonSpace);
    }
    if (in.good()) {
        takeInto(in, word, limit, firstSpace);
    } else {
        word = String();
    }
}

void readLine(std::istream& in, String& line, std::uint32_t limit) {
    if (!startReading(in)) {
        line = String();
        return;
    }
    takeInto(in, line, limit, firstNewline);
    if (in.good()) {
        in.rdbuf()->sbumpc(); // the newline
    }
}

std::istream& operator>>(std::istream& in, String& word) {
    readWord(in, word, String::MAX_LENGTH);
    return in;
}

std::string printable(std::string_view text) {
    std::string shown(text);
    std::replace_if(
        shown.begin(), shown.end(), [](char c) { return c < ' ' || c > '~'; }, '?');
    return shown;
}

} // namespace realmsfall
