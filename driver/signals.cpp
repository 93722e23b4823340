#include "driver/signals.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace realmsfall {

namespace {

constexpr int TERMINATION[] = {SIGINT, SIGTERM, SIGHUP};

volatile std::sig_atomic_t requested = 0;
volatile std::sig_atomic_t arrived = 0; // how many, for a wait that gives up at the next one

// A descriptor that is always at the end of its input: the read end of a pipe whose write end
// is closed.
int endOfInput;

extern "C" void noteTermination(int signal) {
    const int savedErrno = errno;
    arrived = arrived + 1;
    if (requested == 0) {
        requested = signal;
    }
    // A read waiting on the keyboard returns, and every later one ends at once. dup2 may be
    // called from a handler.
    dup2(endOfInput, STDIN_FILENO);
    errno = savedErrno;
}

sigset_t terminationSet() {
    sigset_t set;
    sigemptyset(&set);
    for (const int signal : TERMINATION) {
        sigaddset(&set, signal);
    }
    return set;
}

} // namespace

void catchTermination() {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) == 0) {
        close(ends[1]);
        endOfInput = ends[0];
    }
    struct sigaction caught {}; // no SA_RESTART among its flags: a waiting read returns
    caught.sa_handler = noteTermination;
    caught.sa_mask = terminationSet();
    for (const int signal : TERMINATION) {
        struct sigaction before {};
        if (sigaction(signal, nullptr, &before) == 0 && before.sa_handler != SIG_IGN) {
            sigaction(signal, &caught, nullptr);
        }
    }
    struct sigaction ignored {};
    ignored.sa_handler = SIG_IGN;
    sigaction(SIGPIPE, &ignored, nullptr);
}

const volatile std::sig_atomic_t* terminationFlag() {
    return &requested;
}

int terminationSignal() {
    return requested;
}

int terminationsSoFar() {
    return arrived;
}

void endBySignal(int signal) {
    struct sigaction fallen {};
    fallen.sa_handler = SIG_DFL;
    sigaction(signal, &fallen, nullptr);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, signal);
    sigprocmask(SIG_UNBLOCK, &only, nullptr);
    raise(signal);
    std::abort(); // not reached: the default action of these signals ends the process
}

TerminationHeld::TerminationHeld() {
    const sigset_t held = terminationSet();
    sigprocmask(SIG_BLOCK, &held, &before_);
}

TerminationHeld::~TerminationHeld() {
    sigprocmask(SIG_SETMASK, &before_, nullptr);
}

} // namespace realmsfall
