#include "arib/char_class_index.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <memory>
#include <vector>

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
constexpr TableClass kLookUpOrder[] = {
    {CodeTable::KanaCommon, CharClass::KanaCommon},
    {CodeTable::Hiragana, CharClass::Hiragana},
    {CodeTable::Katakana, CharClass::Katakana},
    {CodeTable::HalfwidthKatakana, CharClass::HalfwidthKatakana},
    {CodeTable::AdditionalSymbol, CharClass::AdditionalSymbol},
    {CodeTable::KanjiPreference, CharClass::Kanji},
    {CodeTable::Kanji, CharClass::Kanji},
    {CodeTable::Plane1Extra, CharClass::Plane1},
    {CodeTable::Plane2, CharClass::Plane2},
};

constexpr std::size_t kPlaneSize = 0x10000;

class BasicPlaneIndex {
public:
    BasicPlaneIndex() {
        // Filled from the last table of the order to the first, so that an earlier table
        // overwrites a later one; no table holds a character twice.
        for (auto step = std::rbegin(kLookUpOrder); step != std::rend(kLookUpOrder); ++step) {
            for (const CodeMapEntry& entry : entriesOf(step->table)) {
                if (entry.unicode < kPlaneSize)
                    entries_[entry.unicode] = {step->charClass, 0, static_cast<std::uint16_t>(entry.code)};
            }
        }
        for (const SequenceEntry& entry : entriesOf(SequenceTable::Plane1Sequence)) {
            entries_[entry.characters[0]].sequenceRoles |= IndexedCharacter::kStartsSequence;
            entries_[entry.characters[1]].sequenceRoles |= IndexedCharacter::kContinuesSequence;
        }
    }

    const IndexedCharacter* entries() const { return entries_.data(); }

private:
    std::array<IndexedCharacter, kPlaneSize> entries_{};
};

IndexedCharacter searchTables(char32_t codePoint) {
    for (const TableClass& step : kLookUpOrder) {
        if (const std::uint32_t code = codeForUnicode(step.table, codePoint))
            return {step.charClass, 0, static_cast<std::uint16_t>(code)};
    }
    return {CharClass::None, 0, 0};
}

}  // namespace

const IndexedCharacter* basicPlaneIndex() {
    // Built once, on first use; immutable afterwards (thread-compatible).
    static const std::unique_ptr<const BasicPlaneIndex> index = std::make_unique<BasicPlaneIndex>();
    return index->entries();
}

// Kana through the kanji set: the kanji-set code of every character of the two kana tables,
// by its offset from the lowest of them.
class KanaKanjiCodes {
public:
    KanaKanjiCodes() {
        for (CodeTable table : {CodeTable::Hiragana, CodeTable::Katakana}) {
            for (const CodeMapEntry& entry : entriesOf(table)) {
                first_ = std::min(first_, entry.unicode);
                last_ = std::max(last_, entry.unicode);
            }
        }
        codes_.assign(last_ - first_ + 1, 0);
        for (CodeTable table : {CodeTable::Hiragana, CodeTable::Katakana}) {
            for (const CodeMapEntry& entry : entriesOf(table))
                codes_[entry.unicode - first_] = static_cast<std::uint16_t>(kanjiCodeForUnicode(entry.unicode));
        }
    }

    std::uint16_t operator()(char32_t codePoint) const {
        return codePoint >= first_ && codePoint <= last_ ? codes_[codePoint - first_] : 0;
    }

private:
    std::uint32_t first_ = UINT32_MAX;
    std::uint32_t last_ = 0;
    std::vector<std::uint16_t> codes_;
};

std::uint16_t kanjiCodeOfKana(char32_t codePoint) {
    static const KanaKanjiCodes codes;
    return codes(codePoint);
}

IndexedCharacter indexedCharacter(char32_t codePoint) {
    if (codePoint < kPlaneSize) return basicPlaneIndex()[codePoint];
    return searchTables(codePoint);
}

}  // namespace arib
