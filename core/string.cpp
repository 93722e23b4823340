#include "core/string.h"

#include <algorithm>
#include <climits>
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

constexpr int END = std::char_traits<char>::eof();

// What a stream buffer holds already, read in bulk rather than character by character. The
// get area is reached through this class's names for it.
struct GetArea : std::streambuf {
    static std::string_view held(std::streambuf& buffer) {
        const char* const next = (buffer.*&GetArea::gptr)();
        const auto size = static_cast<std::size_t>((buffer.*&GetArea::egptr)() - next);
        return {next, std::min<std::size_t>(size, INT_MAX)};
    }
    static void take(std::streambuf& buffer, std::size_t count) {
        (buffer.*&GetArea::gbump)(static_cast<int>(count));
    }
};

// Takes characters up to the first one `stop` finds in a piece of text (which stays in the
// stream), the end of input (which sets end-of-file) or `room` characters, and hands them to
// `keep` piece by piece. Returns how many were taken.
template <typename Stop, typename Keep>
std::uint64_t scan(std::istream& in, std::uint64_t room, Stop stop, Keep keep) {
    std::streambuf& buffer = *in.rdbuf();
    std::uint64_t taken = 0;
    for (;;) {
        const int next = buffer.sgetc(); // refills the buffer when it is empty
        if (next == END) {
            in.setstate(std::ios::eofbit);
            return taken;
        }
        const char single = static_cast<char>(next);
        const std::string_view held = GetArea::held(buffer);
        const bool unbuffered = held.empty();
        const std::string_view ahead = unbuffered ? std::string_view(&single, 1) : held;
        const std::size_t count = std::min<std::uint64_t>(stop(ahead), room - taken);
        keep(ahead.substr(0, count));
        if (!unbuffered) {
            GetArea::take(buffer, count);
        } else if (count == 1) {
            buffer.sbumpc();
        }
        taken += count;
        if (count < ahead.size()) {
            return taken;
        }
    }
}

// Whitespace is a blank or a control character, all below '!': a block of eight bytes holding
// none of those is passed over at once.
constexpr std::size_t BLOCK = 8;

bool mayHoldSpace(const char* eight) {
    constexpr std::uint64_t ONES = 0x0101010101010101u;
    constexpr std::uint64_t HIGH_BITS = 0x8080808080808080u;
    std::uint64_t block{};
    std::memcpy(&block, eight, sizeof block);
    return ((block - ONES * '!') & ~block & HIGH_BITS) != 0;
}

std::size_t firstSpace(std::string_view text) {
    std::size_t at = 0;
    for (;;) {
        while (text.size() - at >= BLOCK && !mayHoldSpace(text.data() + at)) {
            at += BLOCK;
        }
        const std::size_t end = std::min(at + BLOCK, text.size());
        for (; at < end; ++at) {
            if (isWhitespace(static_cast<unsigned char>(text[at]))) {
                return at;
            }
        }
        if (at == text.size()) {
            return at;
        }
    }
}

std::size_t firstNonSpace(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && isWhitespace(static_cast<unsigned char>(text[at]))) {
        ++at;
    }
    return at;
}

std::size_t firstNewline(std::string_view text) {
    return std::min(text.find('\n'), text.size());
}

using Stop = std::size_t (*)(std::string_view);

void skip(std::istream& in, Stop stop) {
    scan(in, UINT64_MAX, stop, [](std::string_view) {});
}

// Takes up to `limit` characters into `target`, which is made empty first and ends up an exact
// fit; when the text goes on beyond the limit, the rest of its line is dropped.
void takeInto(std::istream& in, String& target, std::uint32_t limit, Stop stop) {
    target = String();
    const std::uint64_t taken = scan(in, limit, stop, [&target](std::string_view piece) {
        target.append(piece.data(), static_cast<std::uint32_t>(piece.size()));
    });
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

} // namespace

String::String() : String("") {}

String::String(const char* text)
    : buffer_(nullptr), capacity_(textLength(text) + 1), length_(capacity_ - 1) {
    buffer_ = allocate(capacity_);
    std::memcpy(buffer_, text, capacity_);
}

String::String(const String& other)
    : buffer_(allocate(other.capacity_)), capacity_(other.capacity_), length_(other.length_) {
    std::memcpy(buffer_, other.buffer_, length_ + 1);
}

String::~String() {
    std::free(buffer_);
}

String::String(String&& other) : String() {
    *this = std::move(other);
}

void String::operator=(String&& other) noexcept {
    // As for a copy, a buffer of the same size stays; one of another size gives way to the
    // source's own.
    if (other.capacity_ == capacity_) {
        length_ = other.length_;
        std::memmove(buffer_, other.buffer_, length_ + 1);
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
        char* const fresh = allocate(other.capacity_);
        std::free(buffer_);
        buffer_ = fresh;
        capacity_ = other.capacity_;
    }
    length_ = other.length_;
    std::memcpy(buffer_, other.buffer_, length_ + 1);
}

void String::reserve(std::uint32_t n) {
    if (n < capacity_) {
        return;
    }
    void* const grown = std::realloc(buffer_, n + 1);
    if (grown == nullptr) {
        throw std::bad_alloc();
    }
    buffer_ = static_cast<char*>(grown);
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
