// Control bytes of the C0 and C1 sets. Controls that carry parameter bytes (COL, PAPF, APS
// and the like) skip only their first byte; the bytes after it are read as ordinary bytes.
// Inline: in coded programme text nearly every other byte is a shift or a size control.
#pragma once

#include "arib/decoder_steps.h"
#include "arib/escape_sequences.h"

namespace arib {
namespace control_codes {

enum class Control : std::uint8_t {
    APB = 0x08,  // active position backward
    APF = 0x09,  // active position forward
    APD = 0x0A,  // active position down
    APR = 0x0D,  // active position return
    LS1 = 0x0E,
    LS0 = 0x0F,
    SS2 = 0x19,
    ESC = 0x1B,
    SS3 = 0x1D,
    SP = 0x20,
    DEL = 0x7F,
    MSZ = 0x89,  // middle size
    NSZ = 0x8A,  // normal size
    CSI = 0x9B,
};

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
    switch (static_cast<Control>(rest[0])) {
        case Control::APB: output.emit(0x08); break;
        case Control::APF: output.emit(0x09); break;
        case Control::APD: emitLineBreak(output); break;
        case Control::APR:
            // CR LF is one line break: the LF that follows writes it.
            if (rest.size() < 2 || rest[1] != static_cast<std::uint8_t>(Control::APD)) emitLineBreak(output);
            break;
        case Control::LS1: state.GL = 1; break;
        case Control::LS0: state.GL = 0; break;
        case Control::SS2: singleShift(state, 2); break;
        case Control::SS3: singleShift(state, 3); break;
        case Control::ESC: return applyEscapeSequence(rest, state);
        case Control::SP: output.emit(0x20); break;
        case Control::DEL: output.emit(0x7F); break;
        case Control::MSZ:  // character size does not change the text
        case Control::NSZ: break;
        case Control::CSI: return applyControlSequence(rest, output);
        default: break;  // every other control: nothing
    }
    return 1;
}

}  // namespace arib
