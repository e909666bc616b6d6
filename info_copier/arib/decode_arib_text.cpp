// ARIB STD-B24 8-unit code to UTF-16: an ISO/IEC 2022 state machine over four graphic
// registers, GL and GR invoked by locking and single shifts.
#include <array>
#include <limits>

#include "arib/arib_text.h"
#include "arib/code_index.h"
#include "arib/control_codes.h"
#include "arib/decoder_steps.h"

namespace arib {
namespace {

// A graphic byte: a character of the set invoked into the half the byte lies in.
std::size_t applyGraphic(std::span<const std::uint8_t> rest, AribDecoderState& state, const DecodingIndexes& indexes,
                         DecoderOutput& output) {
    CodeSet set = state.G[rest[0] < 0x80 ? state.GL : state.GR];
    std::size_t consumed = 1;
    if (set == CodeSet::macro) {
        applyDefaultMacro(rest[0] & 0x7Fu, state);
    } else {
        consumed = decodeGraphicCharacter(set, rest, indexes, output);
    }
    // A single shift lasts for one character, whatever that character produced.
    if (state.singleShift) {
        state.GL = state.savedGL;
        state.singleShift = false;
    }
    return consumed;
}

// The code-indexed table of a set, for the characters that are one look-up and one unit; the
// all-zero index for sets whose characters need more.
struct IndexedSet {
    const std::uint16_t* table;
    std::uint32_t twoByte;
};

IndexedSet indexedSet(CodeSet set, const SingleUnitIndexes& indexes) {
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

// The common path: characters that are one look-up and one unit, stored straight from the
// indexes below `limit` (when `storing`) and counted, and control bytes, applied as anywhere
// else without leaving the loop. Stops at anything else (a character with no single-unit
// entry, the last byte, the limit, a control that leaves a single shift waiting or starts
// suppression) and answers where; the general path takes that byte. Only entered with no
// single shift waiting and no suppression. Kanji in the left half and kana in the right
// alternate all the time, so the half and the length of a character are selected by masks,
// not branched on.
template <bool storing>
const std::uint8_t* decodeCommonRun(const std::uint8_t* at, const std::uint8_t* end, AribDecoderState& state,
                                    RegisterSets& sets, DecoderOutput& output, std::int64_t limit) {
    char16_t* const dst = output.destination();
    std::int64_t stored = output.count();
    std::uintptr_t leftTable = 0, tableDifference = 0;
    std::uint32_t leftTwoByte = 0, twoByteDifference = 0;
    auto invoke = [&] {
        const IndexedSet& left = sets[state.GL];
        const IndexedSet& right = sets[state.GR];
        leftTable = reinterpret_cast<std::uintptr_t>(left.table);
        tableDifference = leftTable ^ reinterpret_cast<std::uintptr_t>(right.table);
        leftTwoByte = left.twoByte;
        twoByteDifference = left.twoByte ^ right.twoByte;
    };
    invoke();
    while (end - at >= 2) {
        const std::uint32_t byte = at[0];
        const std::uint32_t first = byte & 0x7Fu;
        const std::uint32_t row = first - 0x21u;
        if (row < static_cast<std::uint32_t>(cellsPerRow)) {
            const std::uint32_t inRight = byte >> 7;
            const auto* table =
                reinterpret_cast<const std::uint16_t*>(leftTable ^ (tableDifference & (0 - std::uintptr_t{inRight})));
            const std::uint32_t twoByte = leftTwoByte ^ (twoByteDifference & (0u - inRight));
            const std::uint32_t twoByteMask = 0u - twoByte;
            const std::uint32_t cell = (at[1] & 0x7Fu) - 0x21u;
            const std::uint32_t valid =
                (twoByte ^ 1u) | static_cast<std::uint32_t>(cell < static_cast<std::uint32_t>(cellsPerRow));
            const std::uint32_t slot = ((first & ~twoByteMask) | ((row * cellsPerRow + cell) & twoByteMask)) & (0u - valid);
            const std::uint32_t unicode = table[slot];
            if ((valid == 0) | (unicode == 0) | (stored >= limit)) break;
            if constexpr (storing) dst[stored] = static_cast<char16_t>(unicode);
            ++stored;
            at += 1 + twoByte;
            continue;
        }
        if (!isControlByte(static_cast<std::uint8_t>(byte))) break;
        output.setCount(stored);
        at += applyControl({at, static_cast<std::size_t>(end - at)}, state, output);
        stored = output.count();
        if (state.singleShift || output.suppressed || (storing && stored >= limit)) break;
        sets.refresh(state);
        invoke();
    }
    output.setCount(stored);
    return at;
}

}  // namespace

int decodeAribText(char16_t* dst, int dstCapacity, const std::uint8_t* src, int srcLength) {
    DecoderOutput output(dst, dstCapacity);
    if (src == nullptr || srcLength <= 0) return output.finish();
    AribDecoderState state;
    const DecodingIndexes& indexes = decodingIndexes();
    RegisterSets sets(singleUnitIndexes());
    sets.refresh(state);
    const std::uint8_t* at = src;
    const std::uint8_t* const end = src + srcLength;
    while (at < end) {
        if (!output.suppressed && !state.singleShift) {
            if (dst != nullptr && output.count() < output.capacity()) {
                at = decodeCommonRun<true>(at, end, state, sets, output, output.capacity());
            } else {
                at = decodeCommonRun<false>(at, end, state, sets, output, std::numeric_limits<std::int64_t>::max());
            }
            if (at >= end) break;
            sets.refresh(state);
            // The run stops right after a control that started suppression or a single shift:
            // what follows goes through the general path.
            if (output.suppressed || state.singleShift) continue;
        }
        std::span<const std::uint8_t> rest(at, static_cast<std::size_t>(end - at));
        at += isControlByte(rest[0]) ? applyControl(rest, state, output) : applyGraphic(rest, state, indexes, output);
        sets.refresh(state);
    }
    return output.finish();
}

}  // namespace arib
