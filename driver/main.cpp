#include "core/console.h"
#include "driver/game.h"

#include <iostream>

int main() {
    realmsfall::Console console{std::cin, std::cout, std::cerr};
    return realmsfall::runGame(console);
}
