#include "driver/keyboard.h"

#include "driver/signals.h"

#include <cerrno>
#include <unistd.h>

namespace realmsfall {

Keyboard::Keyboard() : block_(new char[BLOCK]) {
    setg(block_.get(), block_.get(), block_.get());
}

Keyboard::int_type Keyboard::underflow() {
    while (terminationSignal() == 0) {
        const ssize_t got = read(STDIN_FILENO, block_.get(), BLOCK);
        if (got > 0) {
            setg(block_.get(), block_.get(), block_.get() + got);
            return traits_type::to_int_type(*gptr());
        }
        if (got == 0 || errno != EINTR) {
            break;
        }
    }
    return traits_type::eof();
}

} // namespace realmsfall
