#include "core/string.h"

#include <cstring>
#include <istream>
#include <ostream>
#include <string>

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

// Takes characters while `wanted` accepts the next one, handing each to `keep`. Reaching the
// end of input sets end-of-file.
template <typename Wanted, typename Keep>
void takeWhile(std::istream& in, Wanted wanted, Keep keep) {
    if (!in.good()) {
        return;
    }
    std::streambuf* const source = in.rdbuf();
    for (;;) {
        const int c = source->sgetc();
        if (c == std::char_traits<char>::eof()) {
            in.setstate(std::ios::eofbit);
            return;
        }
        if (!wanted(c)) {
            return;
        }
        keep(static_cast<char>(c));
        source->sbumpc();
    }
}

// The characters `wanted` accepts, as one String. They are gathered in a growing buffer first,
// so that a long word or line is copied a bounded number of times; the String itself still gets
// an exact fit.
template <typename Wanted>
String gatherWhile(std::istream& in, Wanted wanted) {
    std::string gathered;
    takeWhile(in, wanted, [&gathered](char c) { gathered += c; });
    String taken;
    taken.append(gathered.data(), static_cast<std::uint32_t>(gathered.size()));
    return taken;
}

} // namespace

bool isWhitespace(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

String::String() : String("") {}

String::String(const char* text)
    : buffer_(nullptr), capacity_(textLength(text) + 1), length_(capacity_ - 1) {
    buffer_ = new char[capacity_];
    std::memcpy(buffer_, text, capacity_);
}

String::String(const String& other)
    : buffer_(new char[other.capacity_]), capacity_(other.capacity_), length_(other.length_) {
    std::memcpy(buffer_, other.buffer_, length_ + 1);
}

String::~String() {
    delete[] buffer_;
}

void String::operator=(const String& other) {
    if (this == &other) {
        return;
    }
    if (other.capacity_ != capacity_) {
        char* const fresh = new char[other.capacity_];
        delete[] buffer_;
        buffer_ = fresh;
        capacity_ = other.capacity_;
    }
    length_ = other.length_;
    std::memcpy(buffer_, other.buffer_, length_ + 1);
}

void String::ensureRoom(std::uint32_t n) {
    if (n < capacity_) {
        return;
    }
    char* const fresh = new char[n + 1];
    std::memcpy(fresh, buffer_, length_ + 1);
    delete[] buffer_;
    buffer_ = fresh;
    capacity_ = n + 1;
}

void String::append(const char* text, std::uint32_t count) {
    ensureRoom(length_ + count);
    std::memmove(buffer_ + length_, text, count);
    length_ += count;
    buffer_[length_] = '\0';
}

String& String::operator+=(const String& other) {
    // Appending a string to itself: copy first, since growing frees the source buffer.
    if (this == &other) {
        const String copy(other);
        append(copy.buffer_, copy.length_);
    } else {
        append(other.buffer_, other.length_);
    }
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

std::ostream& operator<<(std::ostream& out, const String& s) {
    return out << s.c_str();
}

std::istream& operator>>(std::istream& in, String& word) {
    if (startReading(in)) {
        takeWhile(in, isWhitespace, [](char) {});
    }
    word = gatherWhile(in, [](int c) { return !isWhitespace(c); });
    return in;
}

void readLine(std::istream& in, String& line) {
    const bool ready = startReading(in);
    line = gatherWhile(in, [](int c) { return c != '\n'; });
    if (ready && in.good()) {
        in.rdbuf()->sbumpc(); // the newline
    }
}

} // namespace realmsfall
