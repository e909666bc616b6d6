#include "arib/encoder_emission.h"

#include "arib/char_class_index.h"

namespace arib {

void emitKanaOutsideGR(EncoderWriter& writer, StrategyText& text, int position, const ClassifiedCharacter& character,
                       KanjiInG0 kanjiInG0) {
    if (text.kanaDecisions.decide(text.text, position, character.charClass)) {
        if (character.charClass == CharClass::Hiragana) {
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
