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

// The common path: characters that are one look-up and one unit, and the controls that
// programme text is full of (the locking shifts between kanji, alphanumerics and the two kana
// sets, space, line breaks, size controls), decoded with the state in registers, storing
// below `limit` when `storing`, counting always. Stops at anything else (any other control or
// escape sequence, a character with no entry or of two units, the last byte, the limit) and
// answers where; the general path takes that byte. Only entered with no single shift waiting
// and no suppression. Kanji in the left half and kana in the right alternate all the time, so
// the half and the length of a character are selected by masks, not branched on.
template <bool storing>
const std::uint8_t* decodeCommonRun(const std::uint8_t* at, const std::uint8_t* end, AribDecoderState& state,
                                    const RegisterSets& sets, char16_t* dst, std::int64_t limit, std::int64_t& count) {
    std::int64_t stored = count;
    IndexedSet left = sets[state.GL], right = sets[state.GR];
    auto leftTable = reinterpret_cast<std::uintptr_t>(left.table);
    std::uintptr_t tableDifference = leftTable ^ reinterpret_cast<std::uintptr_t>(right.table);
    std::uint32_t twoByteDifference = left.twoByte ^ right.twoByte;
    auto invoke = [&](int gl, int gr) {
        state.GL = gl;
        state.GR = gr;
        left = sets[gl];
        right = sets[gr];
        leftTable = reinterpret_cast<std::uintptr_t>(left.table);
        tableDifference = leftTable ^ reinterpret_cast<std::uintptr_t>(right.table);
        twoByteDifference = left.twoByte ^ right.twoByte;
    };
    while (end - at >= 2) {
        const std::uint32_t byte = at[0];
        const std::uint32_t first = byte & 0x7Fu;
        const std::uint32_t row = first - 0x21u;
        if (row < static_cast<std::uint32_t>(cellsPerRow)) {
            const std::uint32_t inRight = byte >> 7;
            const auto* table =
                reinterpret_cast<const std::uint16_t*>(leftTable ^ (tableDifference & (0 - std::uintptr_t{inRight})));
            const std::uint32_t twoByte = left.twoByte ^ (twoByteDifference & (0u - inRight));
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
        switch (byte) {
            case 0x0F: invoke(0, state.GR); ++at; continue;  // LS0
            case 0x0E: invoke(1, state.GR); ++at; continue;  // LS1
            case 0x89:                                       // MSZ
            case 0x8A: ++at; continue;                       // NSZ
            case 0x20:                                       // SP
                if (stored >= limit) break;
                if constexpr (storing) dst[stored] = u' ';
                ++stored;
                ++at;
                continue;
            case 0x0D:  // APR: before APD the APD writes the line break
                if (at[1] != 0x0A) break;
                ++at;
                continue;
            case 0x0A:  // APD
                if (stored + 1 >= limit) break;
                if constexpr (storing) {
                    dst[stored] = u'\r';
                    dst[stored + 1] = u'\n';
                }
                stored += 2;
                ++at;
                continue;
            case 0x1B:  // LS1R, LS2R, LS3R
                if (at[1] == 0x7E) invoke(state.GL, 1);
                else if (at[1] == 0x7D) invoke(state.GL, 2);
                else if (at[1] == 0x7C) invoke(state.GL, 3);
                else break;
                at += 2;
                continue;
            default: break;
        }
        break;
    }
    count = stored;
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
            std::int64_t count = output.count();
            if (dst != nullptr && count < output.capacity()) {
                at = decodeCommonRun<true>(at, end, state, sets, dst, output.capacity(), count);
            } else {
                at = decodeCommonRun<false>(at, end, state, sets, nullptr, std::numeric_limits<std::int64_t>::max(), count);
            }
            output.setCount(count);
            if (at >= end) break;
        }
        std::span<const std::uint8_t> rest(at, static_cast<std::size_t>(end - at));
        at += isControlByte(rest[0]) ? applyControl(rest, state, output) : applyGraphic(rest, state, indexes, output);
        sets.refresh(state);
    }
    return output.finish();
}

}  // namespace arib
