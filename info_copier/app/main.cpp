#include "app/run_tolvane.h"
#include "platform/console.h"
#include "platform/interrupt.h"

int main(int argc, char** argv) {
    platform::initConsole();
    // A write past the file-size limit fails as a write error with its message.
    platform::ignoreFileSizeLimitSignal();
    const int status = app::runTolvane(argc, argv);
    platform::flushConsole();
    return status;
}
