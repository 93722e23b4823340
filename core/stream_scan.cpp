#include "core/stream_scan.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <istream>
#include <streambuf>
#include <string>

namespace realmsfall {

namespace {

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

} // namespace

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

std::uint64_t scan(std::istream& in, std::uint64_t room, Stop stop,
                   const std::function<void(std::string_view)>& keep) {
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

void skip(std::istream& in, Stop stop) {
    scan(in, UINT64_MAX, stop, [](std::string_view) {});
}

} // namespace realmsfall
