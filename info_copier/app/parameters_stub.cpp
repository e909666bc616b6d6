// Placeholder until parameter mode lands.
#include "app/parameters.h"

#include "platform/console.h"

namespace app {

bool applyParameters(rpls::ProgramInfo&, const ArgumentSlots&, const char* const*, const OptionFlags&) {
    platform::print("パラメータ指定オプションはこの版ではまだ使用できません.\n");
    return false;
}

}  // namespace app
