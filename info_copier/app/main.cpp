#include "app/run_tolvane.h"
#include "platform/arguments.h"
#include "platform/console.h"

int main(int argc, char** argv) {
    platform::initConsole();
    platform::Arguments arguments(argc, argv);
    const int status = app::runTolvane(arguments.count(), arguments.values());
    platform::flushConsole();
    return status;
}
