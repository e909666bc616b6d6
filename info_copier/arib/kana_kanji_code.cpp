// Kana written through the kanji set: JIS X 0208 holds every hiragana and katakana character
// of the ARIB kana sets.
#include "arib/char_tables.h"
#include "arib/encoder_emission.h"

namespace arib {

std::uint16_t kanjiCodeOfKana(char32_t codePoint) {
    return static_cast<std::uint16_t>(kanjiCodeForUnicode(codePoint));
}

}  // namespace arib
