// Emission that both strategies share: controls and space, the kana-common symbols, the
// one-byte sets through G1, and kana through GR or through the kanji set.
#pragma once

#include "arib/char_class.h"
#include "arib/encoder_state.h"
#include "arib/strategy_text.h"

namespace arib {

// TAB as APF, LF as APR (CR is dropped, so CR LF becomes one APR), space in middle size;
// every other control is dropped.
inline void emitControlOrSpace(EncoderWriter& writer, char32_t codePoint) {
    switch (codePoint) {
    case U'\t':
        writer.put(0x09);  // APF
        break;
    case U'\n':
        writer.put(0x0D);  // APR; the decoder gives CR LF back
        break;
    case U' ':
        writer.middleSize();
        writer.put(0x20);
        break;
    default:
        break;  // CR and the other controls are dropped
    }
}

// One GR byte; both kana sets hold these symbols, so GR may hold either.
inline void emitKanaCommon(EncoderWriter& writer, std::uint16_t code) {
    writer.normalSize();
    writer.putGR(code);
}

// Alphanumeric or JIS X 0201 katakana: G1 into GL, middle size.
inline void emitOneByteSet(EncoderWriter& writer, CharClass charClass, std::uint16_t code) {
    writer.lockingShift1();
    writer.middleSize();
    writer.designateOneByteG1(finalByte(charClass));
    writer.put(static_cast<std::uint8_t>(code));
}

// Whether the kanji-set form of a kana must first designate kanji into G0.
enum class KanjiInG0 { MayNeedDesignation, AlwaysThere };

// A kana whose set GR does not hold: invoke the set into GR, or go through the kanji set.
void emitKanaOutsideGR(EncoderWriter& writer, StrategyText& text, int position, const ClassifiedCharacter& character,
                       KanjiInG0 kanjiInG0);

// A hiragana or katakana character: through GR when its set is (or is now worth being)
// invoked there, otherwise through the kanji set.
inline void emitKana(EncoderWriter& writer, StrategyText& text, int position, const ClassifiedCharacter& character,
                     KanjiInG0 kanjiInG0) {
    const int kanaRegister = character.charClass == CharClass::Hiragana ? 2 : 3;
    if (writer.state().GR == kanaRegister) {
        writer.normalSize();
        writer.putGR(character.code);
        return;
    }
    emitKanaOutsideGR(writer, text, position, character, kanjiInG0);
}

}  // namespace arib
