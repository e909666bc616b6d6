#include "app/run_korvet.h"
#include "platform/console.h"
#include "platform/interrupt.h"

int main(int argc, char** argv) {
    platform::initConsole();
    // A write past the file-size limit fails as a write error with its message.
    platform::ignoreFileSizeLimitSignal();
    const int status = korvet::runKorvet(argc, argv);
    platform::flushConsole();
    return status;
}
