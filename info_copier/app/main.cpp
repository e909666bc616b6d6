#include "app/run_tolvane.h"
#include "platform/arguments.h"
#include "platform/console.h"
#include "platform/interrupt.h"

int main(int argc, char** argv) {
    platform::initConsole();
    // A write past the file-size limit fails as a write error with its message.
    platform::ignoreFileSizeLimitSignal();
    platform::Arguments arguments(argc, argv);
    const int status = app::runTolvane(arguments.count(), arguments.values());
    platform::flushConsole();
    return status;
}
