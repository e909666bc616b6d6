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

// How a run of the common path ended: at a byte for the general path, or at a change of the
// number of bytes per character of a half, which needs the run of the other shape.
enum class RunEnd { generalPath, shapeChanged };

// The common path for one shape (bytes per character in each half): characters that are one
// look-up and one unit, stored straight from the indexes below `limit` (when `storing`) and
// counted, and control bytes, applied as anywhere else without leaving the loop. Stops at
// anything else (a character with no single-unit entry, the last byte, the limit, a control
// that leaves a single shift waiting or starts suppression). Only entered with no single shift
// waiting and no suppression. Kanji in the left half and kana in the right alternate all the
// time, so the table of a half is selected by a mask and the length follows from the half,
// without a branch.
template <bool storing, bool leftTwoByte, bool rightTwoByte>
RunEnd decodeRunOfShape(const std::uint8_t*& at, const std::uint8_t* end, AribDecoderState& state, RegisterSets& sets,
                        DecoderOutput& output, std::int64_t limit) {
    char16_t* const dst = output.destination();
    std::int64_t stored = output.count();
    std::uintptr_t leftTable = 0, tableDifference = 0;
    auto invoke = [&] {
        leftTable = reinterpret_cast<std::uintptr_t>(sets[state.GL].table);
        tableDifference = leftTable ^ reinterpret_cast<std::uintptr_t>(sets[state.GR].table);
    };
    invoke();
    RunEnd runEnd = RunEnd::generalPath;
    while (end - at >= 2) {
        const std::uint32_t byte = at[0];
        const std::uint32_t first = byte & 0x7Fu;
        const std::uint32_t row = first - 0x21u;
        if (row < static_cast<std::uint32_t>(cellsPerRow)) {
            const std::uint32_t inRight = byte >> 7;
            const auto* table =
                reinterpret_cast<const std::uint16_t*>(leftTable ^ (tableDifference & (0 - std::uintptr_t{inRight})));
            std::uint32_t twoByte = leftTwoByte ? 1u : 0u;
            if constexpr (leftTwoByte != rightTwoByte) twoByte = leftTwoByte ? inRight ^ 1u : inRight;
            std::uint32_t slot = first;
            std::uint32_t valid = 1;
            if constexpr (leftTwoByte || rightTwoByte) {
                const std::uint32_t twoByteMask = 0u - twoByte;
                const std::uint32_t cell = (at[1] & 0x7Fu) - 0x21u;
                valid = (twoByte ^ 1u) | static_cast<std::uint32_t>(cell < static_cast<std::uint32_t>(cellsPerRow));
                slot = ((first & ~twoByteMask) | ((row * cellsPerRow + cell) & twoByteMask)) & (0u - valid);
            }
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
        if ((sets[state.GL].twoByte != 0) != leftTwoByte || (sets[state.GR].twoByte != 0) != rightTwoByte) {
            runEnd = RunEnd::shapeChanged;
            break;
        }
        invoke();
    }
    output.setCount(stored);
    return runEnd;
}

// The common path: runs of the shape that the invoked sets have, one after the other.
template <bool storing>
const std::uint8_t* decodeCommonRun(const std::uint8_t* at, const std::uint8_t* end, AribDecoderState& state,
                                    RegisterSets& sets, DecoderOutput& output, std::int64_t limit) {
    RunEnd runEnd = RunEnd::shapeChanged;
    while (runEnd == RunEnd::shapeChanged && end - at >= 2) {
        switch ((sets[state.GL].twoByte << 1) | sets[state.GR].twoByte) {
            case 0: runEnd = decodeRunOfShape<storing, false, false>(at, end, state, sets, output, limit); break;
            case 1: runEnd = decodeRunOfShape<storing, false, true>(at, end, state, sets, output, limit); break;
            case 2: runEnd = decodeRunOfShape<storing, true, false>(at, end, state, sets, output, limit); break;
            default: runEnd = decodeRunOfShape<storing, true, true>(at, end, state, sets, output, limit); break;
        }
    }
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
