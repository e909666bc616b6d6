#include "app/run_tolvane.h"
#include "platform/console.h"

int main(int argc, char** argv) {
    platform::initConsole();
    const int status = app::runTolvane(argc, argv);
    platform::flushConsole();
    return status;
}
