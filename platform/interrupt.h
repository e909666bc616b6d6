// Interruption of a long run by the user (Ctrl+C, SIGINT, SIGTERM, closing the console): the
// handler only raises a flag, and the program polls it between blocks of work.
#pragma once

namespace platform {

// Installs the handlers; call once at the start of a run that can be interrupted.
void watchInterrupts();
// True once the user has asked the run to stop.
bool interruptRequested();
// A write past the process's file-size limit fails with an error instead of ending the process
// (SIGXFSZ is ignored); nothing to do where the system has no such signal.
void ignoreFileSizeLimitSignal();

}  // namespace platform
