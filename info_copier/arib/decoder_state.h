// Register state of the decoder: four graphic registers G0..G3, and which of them are invoked
// into the left (0x21..0x7E) and right (0xA1..0xFE) halves of the code table.
#pragma once

#include <array>
#include <cstddef>

#include "arib/code_sets.h"

namespace arib {

struct AribDecoderState {
    std::size_t GL = 0;  // register invoked into GL and GR
    std::size_t GR = 2;
    std::array<CodeSet, 4> G{CodeSet::Kanji, CodeSet::Alphanumeric, CodeSet::Hiragana, CodeSet::Katakana};
    bool singleShift = false;  // SS2 or SS3 waits for its character
    std::size_t savedGL = 0;   // GL to restore after the single-shifted character
};

}  // namespace arib
