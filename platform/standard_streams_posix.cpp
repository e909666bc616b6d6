#include "platform/standard_streams.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

namespace platform {

namespace {

bool adoptDuplicate(File& file, int fd) {
    const int copy = ::fcntl(fd, F_DUPFD_CLOEXEC, 3);
    if (copy < 0) return false;
    file.adopt(copy);
    return true;
}

}  // namespace

bool openStandardInput(File& file) { return adoptDuplicate(file, STDIN_FILENO); }

bool openStandardOutput(File& file) { return adoptDuplicate(file, STDOUT_FILENO); }

void ignoreBrokenPipeSignal() {
    struct sigaction action {};
    action.sa_handler = SIG_IGN;
    sigemptyset(&action.sa_mask);
    sigaction(SIGPIPE, &action, nullptr);
}

}  // namespace platform
