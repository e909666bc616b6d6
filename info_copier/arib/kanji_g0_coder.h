// Strategy "kanji G0": G0 keeps kanji, so kanji and kana through the kanji set never need a
// designation; plane 1, plane 2 and additional symbols are designated into G1. Additional
// symbols that only alphanumerics, controls and further symbols follow may take G0 instead,
// since no character that needs kanji in G0 comes after them.
#pragma once

#include "arib/encoder_emission.h"

namespace arib {

class KanjiG0Coder {
public:
    KanjiG0Coder(EncoderOutput& output, StrategyText& text, bool sizeControls)
        : writer_(output, sizeControls), text_(text) {}

    void code(const ClassifiedCharacter& c, int position) {
        switch (c.charClass) {
        case CharClass::ControlOrSpace:
            emitControlOrSpace(writer_, c.codePoint);
            break;
        case CharClass::KanaCommon:
            emitKanaCommon(writer_, c.code);
            break;
        case CharClass::Hiragana:
        case CharClass::Katakana:
            emitKana(writer_, text_, position, c, KanjiInG0::AlwaysThere);
            break;
        case CharClass::Kanji:
            writer_.lockingShift0();
            writer_.normalSize();
            writer_.putTwoByte(c.code);
            break;
        case CharClass::Plane1:
        case CharClass::Plane2:
            writer_.lockingShift1();
            writer_.normalSize();
            writer_.designateTwoByteG1(finalByte(c.charClass));
            writer_.putTwoByte(c.code);
            break;
        case CharClass::AdditionalSymbol:
            codeAdditionalSymbol(c.code, position);
            break;
        case CharClass::Alphanumeric:
        case CharClass::HalfwidthKatakana:
            emitOneByteSet(writer_, c.charClass, c.code);
            break;
        case CharClass::None:
            break;
        }
    }

private:
    void codeAdditionalSymbol(std::uint16_t code, int position);

    EncoderWriter writer_;
    StrategyText& text_;
};

}  // namespace arib
