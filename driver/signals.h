#pragma once

// Ending a run from outside: Ctrl-C, a closed terminal window or a polite kill end the run the
// way the end of the keyboard input does, so that the games it completed are saved.
#include <csignal>

namespace realmsfall {

// Catches SIGINT, SIGTERM and SIGHUP (each left alone when it was ignored at start, as under
// nohup) and ignores SIGPIPE, so that a screen that went away shows as a failed write. A caught
// signal is noted, and the keyboard input is made to end at once, also for a read already
// waiting.
void catchTermination();

// The flag a caught signal sets: its number, or 0. The console's readers look at it before
// every read that waits for the player.
const volatile std::sig_atomic_t* terminationFlag();

// The signal that asked the run to end, or 0.
int terminationSignal();

// How many termination signals have arrived so far: a wait gives up when this grows.
int terminationsSoFar();

// Ends the process by `signal`, with its default action, so that the shell sees why.
[[noreturn]] void endBySignal(int signal);

// Holds the termination signals back while it lives: the short writes, syncs and renames of a
// save are never cut off half-way. One that arrives meanwhile is noted when the hold ends.
class TerminationHeld {
  public:
    TerminationHeld();
    ~TerminationHeld();
    TerminationHeld(const TerminationHeld&) = delete;
    TerminationHeld& operator=(const TerminationHeld&) = delete;

  private:
    sigset_t before_;
};

} // namespace realmsfall
