#include "arib/char_class_index.h"

#include <array>
#include <memory>

#include "arib/char_tables.h"

namespace arib {
namespace {

struct TableClass {
    CodeTable table;
    CharClass charClass;
};

// A character held by several tables belongs to the first of them: kana-common symbols before
// either kana set, kana before kanji, additional symbols before kanji and the JIS X 0213
// tables, preferred forms before JIS X 0213 plane 1.
constexpr TableClass lookUpOrder[] = {
    {CodeTable::kanaCommon, CharClass::KanaCommon},
    {CodeTable::hiragana, CharClass::Hiragana},
    {CodeTable::katakana, CharClass::Katakana},
    {CodeTable::halfwidthKatakana, CharClass::HalfwidthKatakana},
    {CodeTable::additionalSymbol, CharClass::AdditionalSymbol},
    {CodeTable::kanjiPreference, CharClass::Kanji},
    {CodeTable::kanji, CharClass::Kanji},
    {CodeTable::plane1Extra, CharClass::Plane1},
    {CodeTable::plane2, CharClass::Plane2},
};

constexpr std::size_t planeSize = 0x10000;

class BasicPlaneIndex {
public:
    BasicPlaneIndex() {
        // Filled from the last table of the order to the first, so that an earlier table
        // overwrites a later one; no table holds a character twice.
        for (auto step = std::rbegin(lookUpOrder); step != std::rend(lookUpOrder); ++step) {
            for (const CodeMapEntry& entry : entriesOf(step->table)) {
                if (entry.unicode < planeSize)
                    entries_[entry.unicode] = {step->charClass, false, static_cast<std::uint16_t>(entry.code)};
            }
        }
        for (const SequenceEntry& entry : entriesOf(SequenceTable::plane1Sequence))
            entries_[entry.characters[0]].startsSequence = true;
    }

    const IndexedCharacter* entries() const { return entries_.data(); }

private:
    std::array<IndexedCharacter, planeSize> entries_{};
};

IndexedCharacter searchTables(char32_t codePoint) {
    for (const TableClass& step : lookUpOrder) {
        if (const std::uint32_t code = codeForUnicode(step.table, codePoint))
            return {step.charClass, false, static_cast<std::uint16_t>(code)};
    }
    return {CharClass::None, false, 0};
}

}  // namespace

const IndexedCharacter* basicPlaneIndex() {
    // Built once, on first use; immutable afterwards (thread-compatible).
    static const std::unique_ptr<const BasicPlaneIndex> index = std::make_unique<BasicPlaneIndex>();
    return index->entries();
}

IndexedCharacter indexedCharacter(char32_t codePoint) {
    if (codePoint < planeSize) return basicPlaneIndex()[codePoint];
    return searchTables(codePoint);
}

}  // namespace arib
