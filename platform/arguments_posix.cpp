#include "platform/arguments.h"

namespace platform {

Arguments::Arguments(int argc, char** argv) : count_(argc), values_(argv) {}

}  // namespace platform
