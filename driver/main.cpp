#include "core/console.h"
#include "driver/options.h"
#include "driver/signals.h"

#include <iostream>

int main(int argc, char* argv[]) {
    realmsfall::catchTermination();
    // The standard streams read and write in blocks of their own; the input stays tied to the
    // output, so that a prompt is on the screen before the game waits for the reply.
    std::ios::sync_with_stdio(false);
    realmsfall::Console console{std::cin, std::cout, std::cerr, realmsfall::terminationFlag()};
    const int status = realmsfall::runCommandLine(argc, argv, console);
    std::cout.flush();
    if (const int signal = realmsfall::terminationSignal()) {
        realmsfall::endBySignal(signal);
    }
    return status;
}
