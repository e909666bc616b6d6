#include "platform/interrupt.h"

#include <windows.h>

#include <atomic>

namespace platform {
namespace {

std::atomic<bool> stopRequested{false};

// Runs on a thread of its own that the system starts for each console event.
BOOL WINAPI onConsoleEvent(DWORD event) {
    switch (event) {
        case CTRL_C_EVENT:
        case CTRL_BREAK_EVENT: stopRequested.store(true); return TRUE;
        case CTRL_CLOSE_EVENT:
        case CTRL_LOGOFF_EVENT:
        case CTRL_SHUTDOWN_EVENT:
            // The system ends the process as soon as this handler returns (or after about five
            // seconds). Waiting here gives the run that time to finish its packets and close its
            // files; the process ends when the program returns from main.
            stopRequested.store(true);
            ::Sleep(10000);
            return TRUE;
        default: return FALSE;
    }
}

}  // namespace

void watchInterrupts() { ::SetConsoleCtrlHandler(onConsoleEvent, TRUE); }

bool interruptRequested() { return stopRequested.load(); }

// Windows has no file-size limit signal.
void ignoreFileSizeLimitSignal() {}

}  // namespace platform
