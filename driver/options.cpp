#include "driver/options.h"

#include "driver/complaints.h"
#include "driver/game.h"
#include "driver/levels.h"
#include "driver/rules.h"
#include "driver/scores.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <getopt.h>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace realmsfall {

namespace {

constexpr const char* HELP = R"(
Play Realmsfall, a war of cards against the computer, in the terminal.

  -r, --rules           show the rules and unit lists (through a pager on a
                        terminal), without playing
  -s, --scores          show the standings and the seed counter, without playing
  -f, --standings FILE  keep the records in FILE instead of standings.txt in the
                        current folder
  -d, --deal N          play deal N and the ones after it, as the seed counter's
                        games N, N + 1, ... would be played; the records are
                        shown but never changed
  -l, --level LEVEL     the computer plays at LEVEL: easy, normal (the
                        default) or hard; with -s, show that level's records
  -h, --help            show this help and end
  -V, --version         show the version and end

Without options the game is played with the records in standings.txt.

Levels: the easy computer plays like a beginner and loses seven games in ten
to the normal one, the computer as it has always played; the hard one mends
the normal one's weak spots and beats it three games in four.
Each level keeps its own records, in standings-easy.txt and standings-hard.txt
(with -f s.txt: s-easy.txt, s-hard.txt), with its own seed counter, so the same
deal numbers come up at every level and a deal can be compared across levels.

The rules and unit lists, which --rules shows, are in the file
)";

// The version, then who holds the copyright and on what terms.
constexpr const char* VERSION =
    "realmsfall " REALMSFALL_VERSION "\n"
    "Copyright (C) " REALMSFALL_COPYRIGHT_YEAR " The Realmsfall developers\n"
    "License MIT: the Expat licence, <https://opensource.org/licenses/MIT>.\n"
    "This is free software: you are free to change and redistribute it.\n"
    "There is NO WARRANTY, to the extent permitted by law.\n";

// "+": options end at the first operand, whatever the environment says; ":": a missing value is
// told apart from an unknown option.
constexpr const char* SHORT_OPTIONS = "+:hVrsf:d:l:";
constexpr option LONG_OPTIONS[] = {
    {"help", no_argument, nullptr, 'h'},        {"version", no_argument, nullptr, 'V'},
    {"scores", no_argument, nullptr, 's'},      {"standings", required_argument, nullptr, 'f'},
    {"deal", required_argument, nullptr, 'd'},  {"rules", no_argument, nullptr, 'r'},
    {"level", required_argument, nullptr, 'l'}, {}, // the end of the list
};

// When several are asked for, the later in this list wins.
enum class Action { PLAY, SCORES, RULES, VERSION, HELP };

struct Request {
    Action action = Action::PLAY;
    std::string standingsPath = "standings.txt";
    std::optional<std::int32_t> deal;
    const Level* level = &LEVELS[NORMAL];
};

// An optional minus sign and decimal digits, within 32 bits.
std::optional<std::int32_t> dealNumber(std::string_view text) {
    if (text.starts_with('+')) {
        return std::nullopt;
    }
    std::int32_t deal{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), deal);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return deal;
}

// What is wrong with the option getopt_long has just refused: `refusal` is ':' for a missing
// value, '?' otherwise.
std::string problemWith(int refusal, int argc, char* argv[]) {
    const std::string letter{'-', static_cast<char>(optopt)};
    if (refusal == ':') { // only the last argument can lack its value
        const std::string_view last = argv[argc - 1];
        return "the option '" + (last.starts_with("--") ? std::string(last) : letter) +
               "' needs a value";
    }
    if (optopt == 0) { // a long option, unknown or abbreviated to more than one
        const std::string_view typed = argv[optind - 1];
        return "unknown or ambiguous option '" + std::string(typed.substr(0, typed.find('='))) +
               "'";
    }
    for (const option& known : LONG_OPTIONS) {
        if (known.name != nullptr && known.val == optopt) { // given a value it does not take
            return "the option '--" + std::string(known.name) + "' takes no value";
        }
    }
    return "unknown option '" + letter + "'";
}

// The request the options make, or the problem with them.
std::optional<Request> parse(int argc, char* argv[], std::string& problem) {
    Request request;
    optind = 0; // starts getopt_long afresh
    opterr = 0; // the game words its own complaints
    for (int option = 0;
         (option = getopt_long(argc, argv, SHORT_OPTIONS, LONG_OPTIONS, nullptr)) != -1;) {
        const auto ask = [&request](Action action) {
            request.action = std::max(request.action, action);
        };
        switch (option) {
        case 'h':
            ask(Action::HELP);
            break;
        case 'V':
            ask(Action::VERSION);
            break;
        case 's':
            ask(Action::SCORES);
            break;
        case 'r':
            ask(Action::RULES);
            break;
        case 'f':
            request.standingsPath = optarg;
            if (request.standingsPath.empty()) {
                problem = "the standings file must be named: an empty name names no file";
                return std::nullopt;
            }
            break;
        case 'd':
            request.deal = dealNumber(optarg);
            if (!request.deal) {
                problem = "the deal must be a whole number from -2147483648 to 2147483647, not '" +
                          std::string(optarg) + "'";
                return std::nullopt;
            }
            break;
        case 'l':
            request.level = findLevel(optarg);
            if (request.level == nullptr) {
                problem =
                    "the level must be easy, normal or hard, not '" + std::string(optarg) + "'";
                return std::nullopt;
            }
            break;
        default:
            problem = problemWith(option, argc, argv);
            return std::nullopt;
        }
    }
    if (optind < argc) {
        problem = "unexpected argument '" + std::string(argv[optind]) + "'";
        return std::nullopt;
    }
    if (request.action == Action::SCORES && request.deal) {
        problem = "--scores and --deal cannot be used together";
        return std::nullopt;
    }
    return request;
}

// A level's standings; the normal level's point to the others' that exist.
int showScores(Console& console, const std::string& path, const Level& level) {
    const int status = printScores(console, levelStandingsPath(path, level));
    if (status == 0 && &level == &LEVELS[NORMAL]) {
        pointToOtherLevels(console.out, path);
        console.out.flush();
    }
    return status;
}

} // namespace

int runCommandLine(int argc, char* argv[], Console& console) {
    std::string problem;
    const std::optional<Request> request = parse(argc, argv, problem);
    if (!request) {
        return complainOfUsage(console, problem);
    }
    switch (request->action) {
    case Action::HELP:
        console.out << USAGE << '\n' << HELP << rulesFilePath() << std::endl;
        return 0;
    case Action::VERSION:
        console.out << VERSION << std::flush;
        return 0;
    case Action::SCORES:
        return showScores(console, request->standingsPath, *request->level);
    case Action::RULES:
        return showRules(console);
    case Action::PLAY:
        break;
    }
    return runGame(console, levelStandingsPath(request->standingsPath, *request->level),
                   request->deal, *request->level);
}

} // namespace realmsfall
