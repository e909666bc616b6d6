// Strategy "kanji G0": G0 keeps kanji, so kanji and kana through the kanji set never need a
// designation; plane 1, plane 2 and additional symbols are designated into G1. Additional
// symbols that only alphanumerics, controls and further symbols follow may take G0 instead,
// since no character that needs kanji in G0 comes after them.
#include "arib/encoder_emission.h"
#include "arib/encoder_strategies.h"
#include "arib/symbol_tail.h"

namespace arib {
namespace {

void emitAdditionalSymbol(EncoderWriter& writer, std::uint16_t code, SymbolTail& tail, int position) {
    constexpr std::uint8_t symbols = finalByte(CharClass::AdditionalSymbol);
    AribEncoderState& state = writer.state();
    if (state.G0 == symbols) {
        writer.lockingShift0();
    } else if (state.G1 == symbols) {
        writer.lockingShift1();
    } else if (tail.startsAtOrBefore(position)) {
        writer.forceDesignateG0(symbols);
        writer.lockingShift0();
    } else {
        writer.lockingShift1();
        writer.normalSize();
        writer.designateTwoByteG1(symbols);
        writer.putTwoByte(code);
        return;
    }
    writer.normalSize();
    writer.putTwoByte(code);
}

}  // namespace

void codeKanjiG0(EncoderOutput& output, StrategyText& strategyText, bool sizeControls) {
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
            emitKana(writer, strategyText, position, c, KanjiInG0::AlwaysThere);
            break;
        case CharClass::Kanji:
            writer.lockingShift0();
            writer.normalSize();
            writer.putTwoByte(c.code);
            break;
        case CharClass::Plane1:
        case CharClass::Plane2:
            writer.lockingShift1();
            writer.normalSize();
            writer.designateTwoByteG1(finalByte(c.charClass));
            writer.putTwoByte(c.code);
            break;
        case CharClass::AdditionalSymbol:
            emitAdditionalSymbol(writer, c.code, strategyText.symbolTail, position);
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

int encodeAribTextKanjiG0(std::uint8_t* dst, int dstCapacity, const char16_t* src, int srcLength, bool sizeControls) {
    EncoderOutput output(dst, dstCapacity);
    StrategyText text(src, src != nullptr ? srcLength : 0);
    codeKanjiG0(output, text, sizeControls);
    return output.finish();
}

}  // namespace arib
