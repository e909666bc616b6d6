#include "platform/standard_streams.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr int kStreamPipeBytes = 1 << 20;

bool adoptDuplicate(File& file, int fd) {
    const int copy = ::fcntl(fd, F_DUPFD_CLOEXEC, 3);
    if (copy < 0) return false;
    file.adopt(copy);
    return true;
}

}  // namespace

bool openStandardInput(File& file) {
    if (!adoptDuplicate(file, STDIN_FILENO)) return false;
#ifdef F_SETPIPE_SZ
    // A pipe of the default 64 KiB makes the writer and this reader take turns every 64 KiB;
    // 1 MiB lets each move a batch per turn. Where it is refused (a limit, not a pipe), the
    // pipe stays as it is.
    ::fcntl(STDIN_FILENO, F_SETPIPE_SZ, kStreamPipeBytes);
#endif
    return true;
}

bool openStandardOutput(File& file) { return adoptDuplicate(file, STDOUT_FILENO); }

void ignoreBrokenPipeSignal() {
    struct sigaction action {};
    action.sa_handler = SIG_IGN;
    sigemptyset(&action.sa_mask);
    sigaction(SIGPIPE, &action, nullptr);
}

}  // namespace platform
