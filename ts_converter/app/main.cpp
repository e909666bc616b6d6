#include "app/run_korvet.h"
#include "platform/console.h"

int main(int argc, char** argv) {
    platform::initConsole();
    const int status = korvet::runKorvet(argc, argv);
    platform::flushConsole();
    return status;
}
