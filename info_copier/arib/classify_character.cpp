// Which set codes the character at a position.
//
// Text forms come first: controls, the bracketed texts that the decoder writes for additional
// symbols (a symbol's own text such as "[HV]", or "[#rr#cc]" by row and cell), ASCII, and the
// plane 1 positions that stand for two code points. Then single characters are looked up by
// character in a fixed order, which settles every character that more than one table holds:
// kana-common symbols before either kana set, kana before kanji, additional symbols before
// kanji and the JIS X 0213 tables, preferred forms before JIS X 0213 plane 1 (char_class_index).
#include <span>

#include "arib/char_class.h"
#include "arib/char_class_index.h"
#include "arib/char_tables.h"

namespace arib {
namespace {

constexpr char16_t kHighSurrogateFirst = 0xD800, kHighSurrogateLast = 0xDBFF;
constexpr char16_t kLowSurrogateFirst = 0xDC00, kLowSurrogateLast = 0xDFFF;

bool isAsciiDigit(char16_t unit) { return unit >= u'0' && unit <= u'9'; }

// "[#rr#cc]" with row and cell 01..94: the code (row + 0x20) << 8 | (cell + 0x20), or 0.
std::uint16_t rowCellCode(std::span<const char16_t> text) {
    constexpr std::size_t kFormLength = 8;
    if (text.size() < kFormLength) return 0;
    if (text[0] != u'[' || text[1] != u'#' || text[4] != u'#' || text[7] != u']') return 0;
    if (!isAsciiDigit(text[2]) || !isAsciiDigit(text[3]) || !isAsciiDigit(text[5]) || !isAsciiDigit(text[6])) return 0;
    const int row = (text[2] - u'0') * 10 + (text[3] - u'0');
    const int cell = (text[5] - u'0') * 10 + (text[6] - u'0');
    if (row < 1 || row > 94 || cell < 1 || cell > 94) return 0;
    return static_cast<std::uint16_t>((row + 0x20) << 8 | (cell + 0x20));
}

ClassifiedCharacter classified(CharClass charClass, std::uint32_t code, int units, char32_t codePoint) {
    return {charClass, static_cast<std::uint16_t>(code), units, codePoint};
}

ClassifiedCharacter classifyBracket(std::span<const char16_t> text) {
    const SequenceMatch symbol = matchSequenceAt(SequenceTable::SymbolString, text);
    if (symbol.length > 0) return classified(CharClass::AdditionalSymbol, symbol.code, symbol.length, U'[');
    if (const std::uint16_t code = rowCellCode(text)) return classified(CharClass::AdditionalSymbol, code, 8, U'[');
    return classified(CharClass::Alphanumeric, u'[', 1, U'[');
}

}  // namespace

ClassifiedCharacter classifyCharacter(const char16_t* src, int srcLength, int position) {
    const std::span<const char16_t> text(src + position, static_cast<std::size_t>(srcLength - position));
    const char16_t unit = text[0];
    char32_t codePoint = unit;
    int units = 1;
    if (unit >= kHighSurrogateFirst && unit <= kHighSurrogateLast) {
        // A high surrogate codes a character only with a low surrogate after it; on its own it
        // is dropped and the unit after it is read as a character of its own.
        if (text.size() < 2 || text[1] < kLowSurrogateFirst || text[1] > kLowSurrogateLast)
            return classified(CharClass::None, 0, 1, codePoint);
        codePoint = 0x10000 + ((static_cast<char32_t>(unit) - kHighSurrogateFirst) << 10) +
                    (static_cast<char32_t>(text[1]) - kLowSurrogateFirst);
        units = 2;
    }
    if (codePoint <= 0x20) return classified(CharClass::ControlOrSpace, codePoint, 1, codePoint);
    if (codePoint == u'[') return classifyBracket(text);
    if (codePoint <= 0x7E) return classified(CharClass::Alphanumeric, codePoint, 1, codePoint);
    const IndexedCharacter indexed = indexedCharacter(codePoint);
    if (indexed.mayStartSequence()) {
        const SequenceMatch sequence = matchSequenceAt(SequenceTable::Plane1Sequence, text);
        if (sequence.length > 0) return classified(CharClass::Plane1, sequence.code, sequence.length, codePoint);
    }
    return classified(indexed.charClass, indexed.code, units, codePoint);
}

}  // namespace arib
