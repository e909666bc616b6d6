// Strategy "shared G0": every two-byte set takes turns in G0, every one-byte set in G1.
#pragma once

#include "arib/encoder_emission.h"

namespace arib {

class SharedG0Coder : public CoderBase {
public:
    using CoderBase::CoderBase;

    void codeKana(const ClassifiedCharacter& c, int position) {
        CoderBase::codeKana(c, position, KanjiInG0::MayNeedDesignation);
    }
    void codeKanji(const ClassifiedCharacter& c) { codeTwoByteSet(c); }
    void codeJisPlane(const ClassifiedCharacter& c) { codeTwoByteSet(c); }
    void codeAdditionalSymbol(const ClassifiedCharacter& c, int) { codeTwoByteSet(c); }

private:
    void codeTwoByteSet(const ClassifiedCharacter& c) {
        writer_.lockingShift0();
        writer_.normalSize();
        writer_.designateG0(finalByte(c.charClass));
        writer_.putTwoByte(c.code);
    }
};

}  // namespace arib
