// For the fuzz targets: whatever input filled a record, every length in it stays inside its
// field, and the two forms of the description length agree.
#pragma once

#include "rpls/program_info.h"

namespace rpls {

inline bool lengthsInsideFields(const ProgramInfo& info) {
    return info.channelNameLength <= sizeof info.channelName && info.titleLength <= sizeof info.title &&
           info.textLength >= 0 && info.textLength <= static_cast<int>(sizeof info.text) && info.extTextLength >= 0 &&
           info.extTextLength <= static_cast<int>(sizeof info.extText) &&
           info.textLength == (info.textLengthField[0] << 8 | info.textLengthField[1]);
}

}  // namespace rpls
