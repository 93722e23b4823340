// The arena: plays deals between the computer's levels, in-process and silent, and tells how often
// each seat won, with a 95 % interval, and the CPU time of each seat's decisions.
//   arena [-n DEALS] [-f FIRST_SEED] PLAYER_LEVEL COMPUTER_LEVEL
#include "bench/arena.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <sstream>
#include <streambuf>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace realmsfall;

// A screen nobody reads.
struct Nowhere : std::streambuf {
    char buffer[4096];
    Nowhere() { setp(buffer, buffer + sizeof buffer); }
    int overflow(int c) override {
        setp(buffer, buffer + sizeof buffer);
        return c == traits_type::eof() ? 0 : c;
    }
};

double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Each seat's level, timed decision by decision.
struct Timed {
    const Level* level = nullptr;
    std::vector<double> seconds;
};
Timed seats[2];

template <int SEAT>
Choice timedChoice(const View& view, LevelRandom& random) {
    const double start = threadSeconds();
    const Choice choice = seats[SEAT].level->choose(view, random);
    seats[SEAT].seconds.push_back(threadSeconds() - start);
    return choice;
}
const Level TIMED[2] = {{"player", timedChoice<0>}, {"computer", timedChoice<1>}};

void report(const char* seat, const Timed& timed, long wins, long deals) {
    const double share = static_cast<double>(wins) / static_cast<double>(deals);
    const double margin = 1.96 * std::sqrt(share * (1 - share) / static_cast<double>(deals));
    std::vector<double> seconds = timed.seconds;
    std::sort(seconds.begin(), seconds.end());
    const double median = seconds.empty() ? 0 : seconds[seconds.size() / 2];
    const double most = seconds.empty() ? 0 : seconds.back();
    std::printf("%-8s seat %-6s %6ld wins  %5.1f %% +- %.1f  CPU per decision: median %.4f ms, "
                "max %.3f ms\n",
                seat, timed.level->name, wins, 100 * share, 100 * margin, median * 1e3, most * 1e3);
}

int usage() {
    std::fprintf(stderr, "usage: arena [-n DEALS] [-f FIRST_SEED] PLAYER_LEVEL COMPUTER_LEVEL\n"
                         "levels: easy, normal, hard\n");
    return 64;
}

} // namespace

int main(int argc, char* argv[]) {
    long deals = 10000;
    long first = 1;
    for (int option = 0; (option = getopt(argc, argv, "n:f:")) != -1;) {
        if (option == 'n') {
            deals = std::strtol(optarg, nullptr, 10);
        } else if (option == 'f') {
            first = std::strtol(optarg, nullptr, 10);
        } else {
            return usage();
        }
    }
    if (argc - optind != 2 || deals <= 0) {
        return usage();
    }
    for (int seat = 0; seat < 2; ++seat) {
        seats[seat].level = findLevel(argv[optind + seat]);
        if (seats[seat].level == nullptr) {
            return usage();
        }
    }
    RegionTable regions;
    fillRegionTable(regions);
    CardNames cardNames;
    fillCardNames(cardNames);
    Nowhere nowhere;
    std::ostream out(&nowhere);
    std::ostringstream err;
    long playerWins = 0;
    for (long deal = 0; deal < deals; ++deal) {
        std::istringstream in(arena::ARENA_CALL);
        in.tie(&out);
        Console console{in, out, err};
        const auto seed = static_cast<std::int32_t>(first + deal);
        if (arena::playDeal(console, seed, &TIMED[0], TIMED[1], regions, cardNames) <= 0) {
            ++playerWins;
        }
    }
    std::printf("%ld deals from seed %ld\n", deals, first);
    report("player", seats[0], playerWins, deals);
    report("computer", seats[1], deals - playerWins, deals);
    return 0;
}
