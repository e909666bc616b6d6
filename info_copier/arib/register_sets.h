// The sets held by the four graphic registers, as the decoder's common path uses them: the
// 16-bit code-indexed table of each set and its bytes per character.
#pragma once

#include <array>
#include <cstdint>

#include "arib/code_index.h"
#include "arib/decoder_state.h"

namespace arib {

// The code-indexed table of a set, for the characters that are one look-up and one unit; the
// all-zero index for sets whose characters need more. A character's slot in the table is
// (first byte & 0x7F) << 7 | (second byte & 0x7F) for two-byte sets, first byte & 0x7F for
// one-byte sets.
struct IndexedSet {
    const std::uint16_t* table;
    std::uint32_t twoByte;  // 1 for two-byte sets
    OneByteKind kind;       // which one-byte table (none for two-byte sets)
};

inline IndexedSet oneByteSet(const std::uint16_t* table, OneByteKind kind) { return {table, 0, kind}; }
inline IndexedSet twoByteSet(const std::uint16_t* table) { return {table, 1, OneByteKind::None}; }

inline IndexedSet indexedSet(CodeSet set, const SingleUnitIndexes& indexes) {
    switch (set) {
        case CodeSet::Kanji:
        case CodeSet::JisKanjiPlane1: return twoByteSet(indexes.plane1.data());
        case CodeSet::JisKanjiPlane2: return twoByteSet(indexes.plane2.data());
        case CodeSet::AdditionalSymbols: return twoByteSet(indexes.additionalSymbol.data());
        case CodeSet::Hiragana:
        case CodeSet::ProportionalHiragana: return oneByteSet(indexes.hiraganaRows.data(), OneByteKind::Hiragana);
        case CodeSet::Katakana:
        case CodeSet::ProportionalKatakana: return oneByteSet(indexes.katakanaRows.data(), OneByteKind::Katakana);
        case CodeSet::JisX0201Katakana:
            return oneByteSet(indexes.halfwidthKatakanaRows.data(), OneByteKind::HalfwidthKatakana);
        case CodeSet::Alphanumeric:
        case CodeSet::ProportionalAlphanumeric:
            return oneByteSet(indexes.alphanumericRows.data(), OneByteKind::Alphanumeric);
        // Every slot of the all-zero table is 0 whatever the shape, so DRCS-0 (two bytes),
        // mosaic, DRCS and macro sets all leave the common path at their first character.
        default: return {indexes.none.data(), isTwoByteSet(set) ? 1u : 0u, OneByteKind::None};
    }
}

// The indexed set of every set identifier (identifiers are one byte), built once.
const std::array<IndexedSet, 256>& indexedSetsById();

// The indexed sets of the four registers, refreshed when a designation changes them.
class RegisterSets {
public:
    RegisterSets() : byId_(indexedSetsById()) {}

    const IndexedSet& operator[](std::size_t registerIndex) const { return sets_[registerIndex]; }

    void refresh(const AribDecoderState& state) {
        for (std::size_t i = 0; i < sets_.size(); ++i) refresh(state, i);
    }

    // After a designation into one register only.
    void refresh(const AribDecoderState& state, std::size_t registerIndex) {
        sets_[registerIndex] = byId_[static_cast<std::uint8_t>(state.G[registerIndex])];
    }

private:
    const std::array<IndexedSet, 256>& byId_;
    std::array<IndexedSet, 4> sets_{};
};

}  // namespace arib
