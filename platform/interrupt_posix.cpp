#include "platform/interrupt.h"

#include <signal.h>

#include <csignal>

namespace platform {

namespace {

volatile std::sig_atomic_t interrupted = 0;

void onInterrupt(int) { interrupted = 1; }

void install(int signal) {
    // A signal that the caller has the process ignore (nohup, a background job) stays ignored.
    struct sigaction previous {};
    if (sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN) return;
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    // The first signal asks the run to stop at its next block; the handler then reverts to the
    // default, so that a second one ends a run that no longer answers.
    action.sa_flags = static_cast<int>(SA_RESETHAND);
    sigaction(signal, &action, nullptr);
}

}  // namespace

void watchInterrupts() {
    interrupted = 0;
    install(SIGINT);
    install(SIGTERM);
    install(SIGHUP);
}

bool interruptRequested() { return interrupted != 0; }

void ignoreFileSizeLimitSignal() {
    struct sigaction action {};
    action.sa_handler = SIG_IGN;
    sigemptyset(&action.sa_mask);
    sigaction(SIGXFSZ, &action, nullptr);
}

}  // namespace platform
