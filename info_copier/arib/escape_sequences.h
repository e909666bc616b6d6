// Escape sequences: designation of sets into G0..G3, and the locking shifts LS2, LS3, LS1R,
// LS2R, LS3R. Unknown sequences are skipped by their length and change nothing. Inline, as
// part of the controls: coded text shifts between the kana sets all the time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "arib/control_set.h"
#include "arib/decoder_state.h"

namespace arib {
namespace escape_sequences {

using designation::kDynamicSet;
using designation::kTwoByteSet;

// Intermediate bytes 0x28..0x2B name G0..G3.
inline bool registerOf(std::uint8_t intermediate, std::size_t& index) {
    if (intermediate < designation::kToG0 || intermediate > designation::kToG3) return false;
    index = static_cast<std::size_t>(intermediate - designation::kToG0);
    return true;
}

inline bool isOneByteGraphicSet(std::uint8_t final) {
    return (final >= 0x30 && final <= 0x38) || final == 0x49 || final == 0x4A;
}

inline bool isOneByteDynamicSet(std::uint8_t final) { return (final >= 0x41 && final <= 0x4F) || final == 0x70; }

inline bool isTwoByteGraphicSet(std::uint8_t final) {
    return final == 0x39 || final == 0x3A || final == 0x3B || final == 0x42;
}

// ESC I F (3 bytes) or ESC I 0x20 F (4 bytes): a one-byte set into the register I names.
inline std::size_t designateOneByteSet(std::span<const std::uint8_t> rest, std::size_t index, AribDecoderState& state) {
    if (rest.size() < 3) return rest.size();
    if (rest[2] != kDynamicSet) {
        if (isOneByteGraphicSet(rest[2])) state.G[index] = static_cast<CodeSet>(rest[2]);
        return 3;
    }
    if (rest.size() < 4) return rest.size();
    if (isOneByteDynamicSet(rest[3])) state.G[index] = static_cast<CodeSet>(rest[3] + kOneByteDrcsOffset);
    return 4;
}

// ESC 0x24 ...: a two-byte set, into G0 (ESC 0x24 F, ESC 0x24 0x28 0x20 F) or into the register
// a second intermediate byte names.
inline std::size_t designateTwoByteSet(std::span<const std::uint8_t> rest, AribDecoderState& state) {
    if (rest.size() < 3) return rest.size();
    std::uint8_t third = rest[2];
    if (isTwoByteGraphicSet(third)) {
        state.G[0] = static_cast<CodeSet>(third);
        return 3;
    }
    std::size_t index = 0;
    if (!registerOf(third, index)) return 3;
    if (rest.size() < 4) return rest.size();
    std::uint8_t fourth = rest[3];
    if (fourth == kDynamicSet) {
        if (rest.size() < 5) return rest.size();
        if (rest[4] == static_cast<std::uint8_t>(CodeSet::Drcs0)) state.G[index] = CodeSet::Drcs0;
        return 5;
    }
    // G0 takes a two-byte set only by the short form ESC 0x24 F.
    if (index != 0 && isTwoByteGraphicSet(fourth)) state.G[index] = static_cast<CodeSet>(fourth);
    return 4;
}

}  // namespace escape_sequences

// ESC and what follows; answers the bytes consumed (all that is left when it is cut).
inline std::size_t applyEscapeSequence(std::span<const std::uint8_t> rest, AribDecoderState& state) {
    using namespace escape_sequences;
    if (rest.size() < 2) return rest.size();
    std::uint8_t second = rest[1];
    std::size_t index = 0;
    if (registerOf(second, index)) return designateOneByteSet(rest, index, state);
    switch (second) {
        case kTwoByteSet: return designateTwoByteSet(rest, state);
        case esc::LS2: state.GL = 2; break;
        case esc::LS3: state.GL = 3; break;
        case esc::LS1R: state.GR = 1; break;
        case esc::LS2R: state.GR = 2; break;
        case esc::LS3R: state.GR = 3; break;
        default: break;
    }
    return 2;
}

}  // namespace arib
