// The sets held by the four graphic registers, as the decoder's common path uses them: the
// 16-bit code-indexed table of each set and its bytes per character.
#pragma once

#include <array>
#include <cstdint>

#include "arib/code_index.h"
#include "arib/decoder_state.h"

namespace arib {

// The code-indexed table of a set, for the characters that are one look-up and one unit; the
// all-zero index for sets whose characters need more.
struct IndexedSet {
    const std::uint16_t* table;
    std::uint32_t twoByte;
};

inline IndexedSet indexedSet(CodeSet set, const SingleUnitIndexes& indexes) {
    switch (set) {
        case CodeSet::kanji:
        case CodeSet::jisKanjiPlane1: return {indexes.plane1.data(), 1};
        case CodeSet::jisKanjiPlane2: return {indexes.plane2.data(), 1};
        case CodeSet::additionalSymbols: return {indexes.additionalSymbol.data(), 1};
        case CodeSet::hiragana:
        case CodeSet::proportionalHiragana: return {indexes.hiragana.data(), 0};
        case CodeSet::katakana:
        case CodeSet::proportionalKatakana: return {indexes.katakana.data(), 0};
        case CodeSet::jisX0201Katakana: return {indexes.halfwidthKatakana.data(), 0};
        case CodeSet::alphanumeric:
        case CodeSet::proportionalAlphanumeric: return {indexes.alphanumeric.data(), 0};
        default: return {indexes.none.data(), 0};
    }
}

// The indexed sets of the four registers, refreshed when a designation changes them.
class RegisterSets {
public:
    explicit RegisterSets(const SingleUnitIndexes& indexes) : indexes_(indexes) {}

    const IndexedSet& operator[](int registerIndex) const { return sets_[static_cast<std::size_t>(registerIndex)]; }

    void refresh(const AribDecoderState& state) {
        if (state.G == designated_) return;
        designated_ = state.G;
        for (std::size_t i = 0; i < sets_.size(); ++i) sets_[i] = indexedSet(state.G[i], indexes_);
    }

private:
    const SingleUnitIndexes& indexes_;
    std::array<CodeSet, 4> designated_{};  // no valid designation, so the first refresh fills sets_
    std::array<IndexedSet, 4> sets_{};
};

}  // namespace arib
