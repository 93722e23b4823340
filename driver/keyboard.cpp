#include "driver/keyboard.h"

#include <cerrno>
#include <unistd.h>

namespace realmsfall {

Keyboard::Keyboard() : block_(new char[BLOCK]) {
    setg(block_.get(), block_.get(), block_.get());
}

// A termination signal puts an input that is always at its end in place of the keyboard, so a
// read it cuts off is tried again and ends at once.
Keyboard::int_type Keyboard::underflow() {
    for (;;) {
        const ssize_t got = read(STDIN_FILENO, block_.get(), BLOCK);
        if (got > 0) {
            setg(block_.get(), block_.get(), block_.get() + got);
            return traits_type::to_int_type(*gptr());
        }
        if (got == 0 || errno != EINTR) {
            return traits_type::eof();
        }
    }
}

} // namespace realmsfall
