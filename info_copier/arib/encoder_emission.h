// Emission that both strategies share: controls and space, the kana-common symbols, the
// one-byte sets through G1, and kana through GR or through the kanji set.
#pragma once

#include "arib/char_class.h"
#include "arib/encoder_state.h"
#include "arib/encoder_strategies.h"

namespace arib {

// TAB as APF, LF as APR (CR is dropped, so CR LF becomes one APR), space in middle size;
// every other control is dropped.
void emitControlOrSpace(EncoderWriter& writer, char32_t codePoint);

// One GR byte; both kana sets hold these symbols, so GR may hold either.
void emitKanaCommon(EncoderWriter& writer, std::uint16_t code);

// Alphanumeric or JIS X 0201 katakana: G1 into GL, middle size.
void emitOneByteSet(EncoderWriter& writer, CharClass charClass, std::uint16_t code);

// Whether the kanji-set form of a kana must first designate kanji into G0.
enum class KanjiInG0 { MayNeedDesignation, AlwaysThere };

// A hiragana or katakana character: through GR when its set is (or is now worth being)
// invoked there, otherwise through the kanji set.
void emitKana(EncoderWriter& writer, StrategyText& text, int position,
              const ClassifiedCharacter& character, KanjiInG0 kanjiInG0);

}  // namespace arib
