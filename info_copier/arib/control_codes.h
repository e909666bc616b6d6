// Control bytes of the C0 and C1 sets. Controls that carry parameter bytes (COL, PAPF, APS
// and the like) skip only their first byte; the bytes after it are read as ordinary bytes.
// Inline: in coded programme text nearly every other byte is a shift or a size control.
#pragma once

#include "arib/control_set.h"
#include "arib/decoder_steps.h"
#include "arib/escape_sequences.h"

namespace arib {
namespace control_codes {

inline void singleShift(AribDecoderState& state, std::size_t registerIndex) {
    // A second single shift before the character only changes the register: the invocation
    // to restore stays the one that was in force before the first.
    if (!state.singleShift) state.savedGL = state.GL;
    state.GL = registerIndex;
    state.singleShift = true;
}

inline void emitLineBreak(DecoderOutput& output) {
    output.emit(u'\r');
    output.emit(u'\n');
}

}  // namespace control_codes

// A control byte: emitting controls, shifts, ESC and CSI.
[[gnu::always_inline]] inline std::size_t applyControl(std::span<const std::uint8_t> rest, AribDecoderState& state,
                                                       DecoderOutput& output) {
    using namespace control_codes;
    switch (rest[0]) {
        case c0::APB: output.emit(0x08); break;
        case c0::APF: output.emit(0x09); break;
        case c0::APD: emitLineBreak(output); break;
        case c0::APR:
            // CR LF is one line break: the LF that follows writes it.
            if (rest.size() < 2 || rest[1] != c0::APD) emitLineBreak(output);
            break;
        case c0::LS1: state.GL = 1; break;
        case c0::LS0: state.GL = 0; break;
        case c0::SS2: singleShift(state, 2); break;
        case c0::SS3: singleShift(state, 3); break;
        case c0::ESC: return applyEscapeSequence(rest, state);
        case c0::SP: output.emit(0x20); break;
        case c0::DEL: output.emit(0x7F); break;
        case c1::MSZ:  // character size does not change the text
        case c1::NSZ: break;
        case c1::CSI: return applyControlSequence(rest, output);
        default: break;  // every other control: nothing
    }
    return 1;
}

}  // namespace arib
