#include "app/folder_command_line.h"
#include "app/run_folder.h"
#include "app/run_tolvane.h"
#include "platform/arguments.h"
#include "platform/console.h"
#include "platform/interrupt.h"

int main(int argc, char** argv) {
    platform::initConsole();
    // A write past the file-size limit fails as a write error with its message.
    platform::ignoreFileSizeLimitSignal();
    platform::Arguments arguments(argc, argv);
    // --bdav FOLDER runs the copy from a stream once for each playlist of a recorder's folder.
    const int status = app::isFolderRequest(arguments.count(), arguments.values())
                           ? app::runFolder(arguments.count(), arguments.values())
                           : app::runTolvane(arguments.count(), arguments.values());
    platform::flushConsole();
    return status;
}
