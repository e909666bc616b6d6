#include "app/copy_switches.h"

#include <cstring>

namespace app {

bool setCopyFlag(char letter, common::OptionFlags& f) {
    switch (letter) {
        case 'd': f.copyDate = true; return true;
        case 't': f.copyStartTime = true; return true;
        case 'p': f.copyDuration = true; return true;
        case 'z': f.copyZone = true; return true;
        case 'm': f.copyCodePair = true; return true;
        case 's': f.copyPrivateCode = true; return true;
        case 'c': f.copyChannelName = true; return true;
        case 'n': f.copyChannelNumber = true; return true;
        case 'b': f.copyTitle = true; return true;
        case 'i': f.copyText = true; return true;
        case 'e': f.copyExtText = true; return true;
        case 'x': f.joinTexts = true; return true;
        case 'g': f.copyGenres = true; return true;
        default: return false;
    }
}

bool isParameterLetter(char letter) { return letter != '\0' && std::strchr("DTPZMSCNBIEG", letter) != nullptr; }

}  // namespace app
