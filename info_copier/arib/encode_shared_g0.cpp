// Strategy "shared G0": every two-byte set takes turns in G0, every one-byte set in G1.
#include "arib/encoder_emission.h"
#include "arib/encoder_strategies.h"

namespace arib {

void codeSharedG0(EncoderOutput& output, StrategyText& strategyText, bool sizeControls) {
    EncoderWriter writer(output, sizeControls);
    const TextClassifier& text = strategyText.text;
    int position = 0;
    while (position < text.length()) {
        const ClassifiedCharacter c = text.at(position);
        switch (c.charClass) {
        case CharClass::ControlOrSpace:
            emitControlOrSpace(writer, c.codePoint);
            break;
        case CharClass::KanaCommon:
            emitKanaCommon(writer, c.code);
            break;
        case CharClass::Hiragana:
        case CharClass::Katakana:
            emitKana(writer, strategyText, position, c, KanjiInG0::MayNeedDesignation);
            break;
        case CharClass::Kanji:
        case CharClass::Plane1:
        case CharClass::Plane2:
        case CharClass::AdditionalSymbol:
            writer.lockingShift0();
            writer.normalSize();
            writer.designateG0(finalByte(c.charClass));
            writer.putTwoByte(c.code);
            break;
        case CharClass::Alphanumeric:
        case CharClass::HalfwidthKatakana:
            emitOneByteSet(writer, c.charClass, c.code);
            break;
        case CharClass::None:
            break;
        }
        position += c.units;
    }
}

int encodeAribTextSharedG0(std::uint8_t* dst, int dstCapacity, const char16_t* src, int srcLength, bool sizeControls) {
    EncoderOutput output(dst, dstCapacity);
    StrategyText text(src, src != nullptr ? srcLength : 0);
    codeSharedG0(output, text, sizeControls);
    return output.finish();
}

}  // namespace arib
