#include "arib/encoder_strategies.h"
#include "arib/shared_g0_coder.h"

namespace arib {

void codeSharedG0(EncoderOutput& output, StrategyText& text, bool sizeControls) {
    SharedG0Coder coder(output, text, sizeControls);
    walkText(text.text, coder);
}

int encodeAribTextSharedG0(std::uint8_t* dst, int dstCapacity, const char16_t* src, int srcLength, bool sizeControls) {
    EncoderOutput output(dst, dstCapacity);
    StrategyText text(src, src != nullptr ? srcLength : 0);
    codeSharedG0(output, text, sizeControls);
    return output.finish();
}

}  // namespace arib
