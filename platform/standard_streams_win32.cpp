#include "platform/standard_streams.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>

namespace platform {

namespace {

bool adoptDuplicate(File& file, DWORD which) {
    const HANDLE standard = ::GetStdHandle(which);
    if (standard == nullptr || standard == INVALID_HANDLE_VALUE) return false;
    const HANDLE process = ::GetCurrentProcess();
    HANDLE copy = nullptr;
    if (!::DuplicateHandle(process, standard, process, &copy, 0, FALSE, DUPLICATE_SAME_ACCESS)) return false;
    file.adopt(copy);
    return true;
}

}  // namespace

bool openStandardInput(File& file) {
    // The packets pass through the handle unchanged; the C runtime's view of the stream is
    // switched to binary as well, so that nothing in the process translates line ends.
    ::_setmode(::_fileno(stdin), _O_BINARY);
    return adoptDuplicate(file, STD_INPUT_HANDLE);
}

bool openStandardOutput(File& file) {
    ::_setmode(::_fileno(stdout), _O_BINARY);
    return adoptDuplicate(file, STD_OUTPUT_HANDLE);
}

// A write into a closed pipe fails with ERROR_NO_DATA; Windows has no signal for it.
void ignoreBrokenPipeSignal() {}

}  // namespace platform
