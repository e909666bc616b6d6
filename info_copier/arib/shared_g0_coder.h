// Strategy "shared G0": every two-byte set takes turns in G0, every one-byte set in G1.
#pragma once

#include "arib/encoder_emission.h"

namespace arib {

class SharedG0Coder {
public:
    SharedG0Coder(EncoderOutput& output, StrategyText& text, bool sizeControls)
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
            emitKana(writer_, text_, position, c, KanjiInG0::MayNeedDesignation);
            break;
        case CharClass::Kanji:
        case CharClass::Plane1:
        case CharClass::Plane2:
        case CharClass::AdditionalSymbol:
            writer_.lockingShift0();
            writer_.normalSize();
            writer_.designateG0(finalByte(c.charClass));
            writer_.putTwoByte(c.code);
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
    EncoderWriter writer_;
    StrategyText& text_;
};

}  // namespace arib
