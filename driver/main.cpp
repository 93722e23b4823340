#include "core/console.h"
#include "driver/keyboard.h"
#include "driver/options.h"
#include "driver/signals.h"

#include <iostream>

int main(int argc, char* argv[]) {
    realmsfall::catchTermination();
    // The screen is written and the keyboard read in blocks; the keyboard is tied to the screen,
    // so that a prompt is shown before the game waits for the reply.
    std::ios::sync_with_stdio(false);
    realmsfall::Keyboard keyboard;
    std::istream keys(&keyboard);
    keys.tie(&std::cout);
    realmsfall::Console console{keys, std::cout, std::cerr, realmsfall::terminationFlag()};
    const int status = realmsfall::runCommandLine(argc, argv, console);
    std::cout.flush();
    if (const int signal = realmsfall::terminationSignal()) {
        realmsfall::endBySignal(signal);
    }
    return status;
}
