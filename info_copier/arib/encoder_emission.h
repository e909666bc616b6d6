// Emission that both strategies share: controls and space, the kana-common symbols, the
// one-byte sets through G1, and kana through GR or through the kanji set.
#pragma once

#include "arib/char_class.h"
#include "arib/encoder_state.h"
#include "arib/strategy_text.h"

namespace arib {

// Whether the kanji-set form of a kana must first designate kanji into G0.
enum class KanjiInG0 { MayNeedDesignation, AlwaysThere };

// A kana whose set GR does not hold: invoke the set into GR, or go through the kanji set.
void emitKanaOutsideGR(EncoderWriter& writer, StrategyText& text, int position, const ClassifiedCharacter& character,
                       KanjiInG0 kanjiInG0);

// The part of a strategy that does not depend on where the two-byte sets go.
class CoderBase {
public:
    CoderBase(EncoderOutput& output, StrategyText& text, bool sizeControls)
        : writer_(output, sizeControls), text_(text) {}

    // TAB as APF, LF as APR (CR is dropped, so CR LF becomes one APR), space in middle size;
    // every other control is dropped.
    void codeControlOrSpace(const ClassifiedCharacter& c) {
        switch (c.codePoint) {
            case U'\t':
                writer_.put(0x09);  // APF
                break;
            case U'\n':
                writer_.put(0x0D);  // APR; the decoder gives CR LF back
                break;
            case U' ':
                writer_.middleSize();
                writer_.put(0x20);
                break;
            default: break;  // CR and the other controls are dropped
        }
    }

    // One GR byte; both kana sets hold these symbols, so GR may hold either.
    void codeKanaCommon(const ClassifiedCharacter& c) {
        writer_.normalSize();
        writer_.putGR(c.code);
    }

    // Alphanumeric or JIS X 0201 katakana: G1 into GL, middle size.
    void codeOneByteSet(const ClassifiedCharacter& c) {
        writer_.lockingShift1();
        writer_.middleSize();
        writer_.designateOneByteG1(finalByte(c.charClass));
        writer_.put(static_cast<std::uint8_t>(c.code));
    }

    EncoderWriter& writer() { return writer_; }

protected:
    // A hiragana or katakana character: through GR when its set is (or is now worth being)
    // invoked there, otherwise through the kanji set.
    void codeKana(const ClassifiedCharacter& c, int position, KanjiInG0 kanjiInG0) {
        const int kanaRegister = c.charClass == CharClass::Hiragana ? 2 : 3;
        if (writer_.state().GR == kanaRegister) {
            writer_.normalSize();
            writer_.putGR(c.code);
            return;
        }
        emitKanaOutsideGR(writer_, text_, position, c, kanjiInG0);
    }

    EncoderWriter writer_;
    StrategyText& text_;
};

}  // namespace arib
