// Strategy "kanji G0": G0 keeps kanji, so kanji and kana through the kanji set never need a
// designation; plane 1, plane 2 and additional symbols are designated into G1. Additional
// symbols that only alphanumerics, controls and further symbols follow may take G0 instead,
// since no character that needs kanji in G0 comes after them.
#pragma once

#include "arib/encoder_emission.h"

namespace arib {

class KanjiG0Coder : public CoderBase {
public:
    using CoderBase::CoderBase;

    void codeKana(const ClassifiedCharacter& c, int position) {
        CoderBase::codeKana(c, position, KanjiInG0::AlwaysThere);
    }
    void codeKanji(const ClassifiedCharacter& c) {
        writer_.lockingShift0();
        writer_.normalSize();
        writer_.putTwoByte(c.code);
    }
    void codeJisPlane(const ClassifiedCharacter& c) {
        writer_.lockingShift1();
        writer_.normalSize();
        writer_.designateTwoByteG1(finalByte(c.charClass));
        writer_.putTwoByte(c.code);
    }
    void codeAdditionalSymbol(const ClassifiedCharacter& c, int position);
};

}  // namespace arib
