#include "arib/encoder_strategies.h"
#include "arib/kanji_g0_coder.h"

namespace arib {

void KanjiG0Coder::codeAdditionalSymbol(const ClassifiedCharacter& c, int position) {
    constexpr std::uint8_t kSymbols = finalByte(CharClass::AdditionalSymbol);
    const AribEncoderState& state = writer_.state();
    if (state.G0 == kSymbols) {
        writer_.lockingShift0();
    } else if (state.G1 == kSymbols) {
        writer_.lockingShift1();
    } else if (text_.symbolTail.startsAtOrBefore(position)) {
        writer_.forceDesignateG0(kSymbols);
        writer_.lockingShift0();
    } else {
        writer_.lockingShift1();
        writer_.normalSize();
        writer_.designateTwoByteG1(kSymbols);
        writer_.putTwoByte(c.code);
        return;
    }
    writer_.normalSize();
    writer_.putTwoByte(c.code);
}

void codeKanjiG0(EncoderOutput& output, StrategyText& text, bool sizeControls) {
    KanjiG0Coder coder(output, text, sizeControls);
    walkText(text.text, coder);
}

int encodeAribTextKanjiG0(std::uint8_t* dst, int dstCapacity, const char16_t* src, int srcLength, bool sizeControls) {
    return encodeWithStrategy(
        dst, dstCapacity, src, srcLength,
        [sizeControls](EncoderOutput& output, StrategyText& text) { codeKanjiG0(output, text, sizeControls); });
}

}  // namespace arib
