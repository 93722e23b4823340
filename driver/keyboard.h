#pragma once

#include <memory>
#include <streambuf>

namespace realmsfall {

// The keyboard as the game reads it: standard input, read in blocks.
class Keyboard : public std::streambuf {
  public:
    Keyboard();

  protected:
    int_type underflow() override;

  private:
    static constexpr std::size_t BLOCK = std::size_t{1} << 16;
    std::unique_ptr<char[]> block_;
};

} // namespace realmsfall
