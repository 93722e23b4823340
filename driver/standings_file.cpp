#include "driver/standings_file.h"

#include "driver/signals.h"

#include <chrono>

namespace realmsfall {

namespace {

// How long a run that a signal ended waits for another program's lock at its save: nobody may
// be left to give the wait up.
constexpr auto LAST_WAIT = std::chrono::seconds(10);

// How many times a start-up makes a missing or empty file before it reads what stands there.
constexpr int MAKING_TRIES = 3;

ContentEnd standingsEnd() {
    return [scan = EndScan()](std::string_view text) mutable { return endOfStandings(text, scan); };
}

// A file started afresh on disk: its content as it stood under the exclusive lock, kept when it
// no longer starts afresh, the fresh one otherwise.
std::optional<FileTrouble> startAfresh(const FileHome& home, Recovery& recovery) {
    return replaceFile(
        home, standingsEnd(),
        [](std::string_view current, const std::function<void(std::string_view)>& write) {
            write(startsAfresh(current) ? FRESH_STANDINGS : current);
            return std::optional<std::string>();
        },
        Patience{}, recovery);
}

} // namespace

std::variant<StartingStandings, StandingsDamage, StartRefused, StartInterrupted>
openStandings(const std::string& path, bool keeps, const std::function<void()>& announce) {
    auto found = findHome(path);
    if (const auto* refusal = std::get_if<std::string>(&found)) {
        return StartRefused{false, *refusal};
    }
    StartingStandings start{std::move(std::get<FileHome>(found)), {}, false, Recovery::NONE};
    const Patience patience{announce, std::nullopt};
    for (int pass = 0;; ++pass) {
        auto read = readFile(start.home, keeps, standingsEnd(), patience);
        if (const auto* trouble = std::get_if<FileTrouble>(&read)) {
            if (trouble->kind == FileTrouble::GAVE_UP) {
                return StartInterrupted{};
            }
            return StandingsDamage{0, trouble->why};
        }
        FileContent& content = std::get<FileContent>(read);
        if (content.recovery != Recovery::NONE) {
            start.recovery = content.recovery;
        }
        start.exists = content.exists;
        start.text = std::move(content.text);
        if (!keeps || pass == MAKING_TRIES) {
            break;
        }
        if (start.exists) {
            if (const auto why = whyNotWritable(start.home)) {
                return StartRefused{true, *why};
            }
            if (!startsAfresh(start.text)) {
                break;
            }
        }
        Recovery recovery = Recovery::NONE;
        const auto trouble = start.exists ? startAfresh(start.home, recovery)
                                          : makeFile(start.home, FRESH_STANDINGS);
        if (trouble && trouble->kind == FileTrouble::GAVE_UP) {
            return StartInterrupted{};
        }
        if (trouble) {
            return StartRefused{true, trouble->why};
        }
    }
    if (startsAfresh(start.text)) {
        start.text = FRESH_STANDINGS;
    }
    return start;
}

std::optional<FileTrouble> saveStandings(
    const FileHome& home, const std::function<void()>& announce,
    const std::function<std::optional<StandingsDamage>(
        std::string_view current, const std::function<void(std::string_view)>& write)>& compose,
    Recovery& recovery) {
    Patience patience{announce, std::nullopt};
    if (terminationSignal() != 0) {
        patience.limit = LAST_WAIT;
    }
    return replaceFile(
        home, standingsEnd(),
        [&compose](std::string_view current, const std::function<void(std::string_view)>& write)
            -> std::optional<std::string> {
            if (const auto damage = compose(current, write)) {
                return "it was damaged meanwhile, on line " + std::to_string(damage->line) + ": " +
                       damage->what;
            }
            return std::nullopt;
        },
        patience, recovery);
}

} // namespace realmsfall
