#pragma once

namespace app {

// One whole run of tolvane; answers the exit status.
int runTolvane(int argc, const char* const* argv);

}  // namespace app
