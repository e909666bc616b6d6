// Codes UTF-16 text with the shorter of the two designation strategies.
#include "arib/arib_text.h"
#include "arib/encoder_strategies.h"

namespace arib {

int encodeAribText(std::uint8_t* dst, int dstCapacity, const char16_t* src, int srcLength, bool sizeControls) {
    if (src == nullptr) srcLength = 0;
    // Measure both strategies in full. A strategy whose whole text fits the capacity beats one
    // that would be cut, even when the cut one also fills the capacity exactly; when both fit
    // the shorter wins, when neither does both are cut alike. Ties go to shared G0.
    // The three runs share the answers of the look-aheads.
    StrategyText text(src, srcLength);
    EncoderOutput sharedG0(nullptr, 0);
    codeSharedG0(sharedG0, text, sizeControls);
    text.rewind();
    EncoderOutput kanjiG0(nullptr, 0);
    codeKanjiG0(kanjiG0, text, sizeControls);
    text.rewind();

    const std::int64_t overflowing = static_cast<std::int64_t>(dstCapacity > 0 ? dstCapacity : 0) + 1;
    const std::int64_t sharedLength = sharedG0.count() < overflowing ? sharedG0.count() : overflowing;
    const std::int64_t kanjiLength = kanjiG0.count() < overflowing ? kanjiG0.count() : overflowing;
    EncoderOutput output(dst, dstCapacity);
    if (kanjiLength < sharedLength) {
        codeKanjiG0(output, text, sizeControls);
    } else {
        codeSharedG0(output, text, sizeControls);
    }
    return output.finish();
}

}  // namespace arib
