// Register state of the decoder: four graphic registers G0..G3, and which of them are invoked
// into the left (0x21..0x7E) and right (0xA1..0xFE) halves of the code table.
#pragma once

#include <array>

#include "arib/code_sets.h"

namespace arib {

struct AribDecoderState {
    int GL = 0;
    int GR = 2;
    std::array<CodeSet, 4> G{CodeSet::kanji, CodeSet::alphanumeric, CodeSet::hiragana, CodeSet::katakana};
    bool singleShift = false;  // SS2 or SS3 waits for its character
    int savedGL = 0;           // GL to restore after the single-shifted character
};

}  // namespace arib
