#pragma once

// The fast path of the text readers: what a stream buffer holds already is looked at and taken
// in bulk, a block of eight bytes at a time where it can be, rather than character by character.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string_view>

namespace realmsfall {

// The whitespace that separates words: blank, and tab, newline, vertical tab, form feed and
// carriage return, which stand together in the character table.
constexpr bool isWhitespace(int c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Where a piece of text stops being taken: the position of its first stopping character, or its
// size when it holds none.
using Stop = std::size_t (*)(std::string_view);

std::size_t firstSpace(std::string_view text);    // stops at whitespace
std::size_t firstNonSpace(std::string_view text); // stops at anything but whitespace
std::size_t firstNewline(std::string_view text);  // stops at a newline

// Takes characters up to the first one `stop` finds (which stays in the stream), the end of input
// (which sets end-of-file) or `room` characters, and hands them to `keep` piece by piece. Returns
// how many were taken.
std::uint64_t scan(std::istream& in, std::uint64_t room, Stop stop,
                   const std::function<void(std::string_view)>& keep);

// Passes over characters up to the first one `stop` finds, or the end of input.
void skip(std::istream& in, Stop stop);

} // namespace realmsfall
