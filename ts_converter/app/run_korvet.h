#pragma once

namespace korvet {

// One KORVET run from the command line to the closing report; answers the exit status.
int runKorvet(int argc, const char* const* argv);

}  // namespace korvet
