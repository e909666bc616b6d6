// The two designation strategies of the encoder. Both start from the decoder's initial state
// and differ only in where the two-byte sets other than kanji go:
//  - shared G0: every two-byte set is designated into G0, every one-byte set into G1;
//  - kanji G0: G0 keeps kanji, the other two-byte sets are designated into G1 (except for
//    additional symbols that end the text, which may take G0 since no kanji follows).
// encodeAribText codes with whichever gives the shorter text.
#pragma once

#include <cstdint>

#include "arib/encoder_output.h"
#include "arib/strategy_text.h"

namespace arib {

// Same arguments, result and output rule as encodeAribText.
int encodeAribTextSharedG0(std::uint8_t* dst, int dstCapacity, const char16_t* src, int srcLength, bool sizeControls);
int encodeAribTextKanjiG0(std::uint8_t* dst, int dstCapacity, const char16_t* src, int srcLength, bool sizeControls);

// Code the whole text into `output`, which counts every byte; no terminator.
void codeSharedG0(EncoderOutput& output, StrategyText& text, bool sizeControls);
void codeKanjiG0(EncoderOutput& output, StrategyText& text, bool sizeControls);

// One strategy's coding (`code(output, text)`) delivered into `dst` under encodeAribText's
// result rule.
template <typename Code>
int encodeWithStrategy(std::uint8_t* dst, int dstCapacity, const char16_t* src, int srcLength, Code code) {
    StrategyText text(src, src != nullptr ? srcLength : 0);
    char8_t window[kMeasuringRoom];
    EncoderOutput measured(window, kMeasuringRoom);
    code(measured, text);
    return deliverCoding(dst, dstCapacity, measured, window, window, kMeasuringRoom, [&](EncoderOutput& output) {
        text.rewind();
        code(output, text);
    });
}

}  // namespace arib
