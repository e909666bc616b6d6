#include "arib/encoder_strategies.h"
#include "arib/shared_g0_coder.h"

namespace arib {

void codeSharedG0(EncoderOutput& output, StrategyText& text, bool sizeControls) {
    SharedG0Coder coder(output, text, sizeControls);
    walkText(text.text, coder);
}

int encodeAribTextSharedG0(std::uint8_t* dst, int dstCapacity, const char16_t* src, int srcLength, bool sizeControls) {
    return encodeWithStrategy(
        dst, dstCapacity, src, srcLength,
        [sizeControls](EncoderOutput& output, StrategyText& text) { codeSharedG0(output, text, sizeControls); });
}

}  // namespace arib
