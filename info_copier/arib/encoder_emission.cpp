#include "arib/encoder_emission.h"

#include "arib/char_class_index.h"
#include "arib/kana_decision.h"

namespace arib {

void emitControlOrSpace(EncoderWriter& writer, char32_t codePoint) {
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

void emitKanaCommon(EncoderWriter& writer, std::uint16_t code) {
    writer.normalSize();
    writer.putGR(code);
}

void emitOneByteSet(EncoderWriter& writer, CharClass charClass, std::uint16_t code) {
    writer.lockingShift1();
    writer.middleSize();
    writer.designateOneByteG1(finalByte(charClass));
    writer.put(static_cast<std::uint8_t>(code));
}

void emitKana(EncoderWriter& writer, StrategyText& text, int position,
              const ClassifiedCharacter& character, KanjiInG0 kanjiInG0) {
    const bool hiragana = character.charClass == CharClass::Hiragana;
    const int kanaRegister = hiragana ? 2 : 3;
    if (writer.state().GR == kanaRegister) {
        writer.normalSize();
        writer.putGR(character.code);
        return;
    }
    if (text.kanaDecisions.decide(text.text, position, character.charClass)) {
        if (hiragana) {
            writer.invokeHiraganaIntoGR();
        } else {
            writer.invokeKatakanaIntoGR();
        }
        writer.normalSize();
        writer.putGR(character.code);
        return;
    }
    const std::uint16_t kanjiCode = kanjiCodeOfKana(character.codePoint);
    if (kanjiCode == 0) return;  // every kana has a kanji code; nothing to write otherwise
    writer.lockingShift0();
    writer.normalSize();
    if (kanjiInG0 == KanjiInG0::MayNeedDesignation) writer.designateG0(finalByte(CharClass::Kanji));
    writer.putTwoByte(kanjiCode);
}

}  // namespace arib
