// Builds the decoding indexes from the tables, in each set's look-up order.
#include "arib/code_index.h"

#include <initializer_list>

#include "arib/char_tables.h"
#include "arib/register_sets.h"

namespace arib {
namespace {

std::uint32_t firstHit(std::uint32_t code, std::initializer_list<CodeTable> order) {
    for (CodeTable table : order)
        if (std::uint32_t unicode = unicodeForCode(table, code)) return unicode;
    return 0;
}

DecodingIndexes buildIndexes() {
    DecodingIndexes indexes;
    for (std::uint32_t first = 0x21; first <= 0x7E; ++first)
        for (std::uint32_t second = 0x21; second <= 0x7E; ++second) {
            std::uint32_t code = first << 8 | second;
            auto slot = static_cast<std::size_t>(twoByteSlot(code));
            indexes.plane1[slot] =
                firstHit(code, {CodeTable::KanjiPreference, CodeTable::Kanji, CodeTable::Plane1Extra});
            indexes.plane2[slot] = firstHit(code, {CodeTable::Plane2});
            indexes.additionalSymbol[slot] =
                firstHit(code, {CodeTable::AdditionalSymbol, CodeTable::KanjiPreference, CodeTable::Kanji});
        }
    for (std::uint32_t code = 0; code < 128; ++code) {
        indexes.hiragana[code] = unicodeForCode(CodeTable::Hiragana, code);
        indexes.katakana[code] = unicodeForCode(CodeTable::Katakana, code);
        indexes.halfwidthKatakana[code] = unicodeForCode(CodeTable::HalfwidthKatakana, code);
        indexes.alphanumeric[code] = code >= 0x21 && code <= 0x7E ? code : 0;
    }
    return indexes;
}

std::uint32_t lookUp(const std::array<std::uint32_t, kCellsPerRow * kCellsPerRow>& index, std::uint32_t code) {
    int slot = twoByteSlot(code);
    return slot < 0 ? 0 : index[static_cast<std::size_t>(slot)];
}

template <std::size_t N>
void keepSingleUnits(const std::array<std::uint32_t, N>& from, std::array<std::uint16_t, N>& to) {
    for (std::size_t i = 0; i < N; ++i) to[i] = from[i] <= 0xFFFF ? static_cast<std::uint16_t>(from[i]) : 0;
}

// From rows and cells of 94 to the 128 x 128 layout of both bytes' 7-bit values.
void keepSingleUnitsWide(const std::array<std::uint32_t, kCellsPerRow * kCellsPerRow>& from,
                         std::array<std::uint16_t, kWideSlots>& to) {
    for (std::uint32_t first = 0x21; first <= 0x7E; ++first)
        for (std::uint32_t second = 0x21; second <= 0x7E; ++second) {
            const std::uint32_t unicode = from[static_cast<std::size_t>(twoByteSlot(first << 8 | second))];
            to[first << 7 | second] = unicode <= 0xFFFF ? static_cast<std::uint16_t>(unicode) : 0;
        }
}

SingleUnitIndexes buildSingleUnitIndexes(const DecodingIndexes& indexes) {
    SingleUnitIndexes single;
    keepSingleUnitsWide(indexes.plane1, single.plane1);
    keepSingleUnitsWide(indexes.plane2, single.plane2);
    keepSingleUnitsWide(indexes.additionalSymbol, single.additionalSymbol);
    keepSingleUnits(indexes.hiragana, single.hiragana);
    keepSingleUnits(indexes.katakana, single.katakana);
    keepSingleUnits(indexes.halfwidthKatakana, single.halfwidthKatakana);
    keepSingleUnits(indexes.alphanumeric, single.alphanumeric);
    for (std::size_t code = 0; code < 128; ++code) {
        single.hiraganaRows[code << 7] = single.hiragana[code];
        single.katakanaRows[code << 7] = single.katakana[code];
        single.halfwidthKatakanaRows[code << 7] = single.halfwidthKatakana[code];
        single.alphanumericRows[code << 7] = single.alphanumeric[code];
    }
    const auto texts = entriesOf(SequenceTable::SymbolString);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::uint32_t code = texts[i].code;
        const int slot = twoByteSlot(code);
        if (slot >= 0 && indexes.additionalSymbol[static_cast<std::size_t>(slot)] == 0)
            single.additionalSymbolText[(code >> 8) << 7 | (code & 0x7F)] = static_cast<std::uint8_t>(i + 1);
    }
    return single;
}

const std::uint16_t* oneByteIndex(OneByteKind kind, const SingleUnitIndexes& single) {
    switch (kind) {
        case OneByteKind::Alphanumeric: return single.alphanumeric.data();
        case OneByteKind::Hiragana: return single.hiragana.data();
        case OneByteKind::Katakana: return single.katakana.data();
        case OneByteKind::HalfwidthKatakana: return single.halfwidthKatakana.data();
        case OneByteKind::None: break;
    }
    return single.none.data();
}

using OneBytePairTables = std::array<OneBytePairTable, kOneByteKinds * kOneByteKinds>;

OneBytePairTables buildOneBytePairTables(const SingleUnitIndexes& single) {
    OneBytePairTables tables{};
    for (int left = 0; left < kOneByteKinds; ++left)
        for (int right = 0; right < kOneByteKinds; ++right) {
            OneBytePairTable& table = tables[static_cast<std::size_t>(left * kOneByteKinds + right)];
            const std::uint16_t* leftIndex = oneByteIndex(static_cast<OneByteKind>(left), single);
            const std::uint16_t* rightIndex = oneByteIndex(static_cast<OneByteKind>(right), single);
            table[0x20] = u' ';
            for (std::uint32_t code = 0x21; code <= 0x7E; ++code) {
                table[code] = leftIndex[code];
                table[code | 0x80] = rightIndex[code];
            }
        }
    return tables;
}

}  // namespace

const SingleUnitIndexes& singleUnitIndexes() {
    static const SingleUnitIndexes indexes = buildSingleUnitIndexes(decodingIndexes());
    return indexes;
}

const OneBytePairTable& oneBytePairTable(OneByteKind left, OneByteKind right) {
    static const OneBytePairTables tables = buildOneBytePairTables(singleUnitIndexes());
    return tables[static_cast<std::size_t>(left) * kOneByteKinds + static_cast<std::size_t>(right)];
}

const std::array<IndexedSet, 256>& indexedSetsById() {
    static const std::array<IndexedSet, 256> sets = [] {
        std::array<IndexedSet, 256> byId{};
        for (std::size_t id = 0; id < byId.size(); ++id)
            byId[id] = indexedSet(static_cast<CodeSet>(id), singleUnitIndexes());
        return byId;
    }();
    return sets;
}

const DecodingIndexes& decodingIndexes() {
    static const DecodingIndexes indexes = buildIndexes();
    return indexes;
}

std::uint32_t plane1UnicodeForCode(std::uint32_t code) { return lookUp(decodingIndexes().plane1, code); }

std::uint32_t plane2UnicodeForCode(std::uint32_t code) { return lookUp(decodingIndexes().plane2, code); }

std::uint32_t additionalSymbolUnicodeForCode(std::uint32_t code) {
    return lookUp(decodingIndexes().additionalSymbol, code);
}

}  // namespace arib
