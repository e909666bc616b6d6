// The control codes of the ARIB 8-unit code, by their standard mnemonics: the C0 and C1 sets,
// the final bytes of the escape sequences that invoke a set by a locking shift, and the final
// byte of the one control sequence that changes the text; then the intermediate bytes that
// designate a set into a register (no mnemonics of their own). Unscoped enumerations in a
// namespace each, so that a byte compares with them and is written from them directly.
#pragma once

#include <cstdint>

namespace arib {

// C0 (0x00..0x1F), and SP and DEL, which act as controls in this code.
namespace c0 {
enum : std::uint8_t {
    NUL = 0x00,   // null
    BEL = 0x07,   // bell
    APB = 0x08,   // active position backward
    APF = 0x09,   // active position forward
    APD = 0x0A,   // active position down
    APU = 0x0B,   // active position up
    CS = 0x0C,    // clear screen
    APR = 0x0D,   // active position return
    LS1 = 0x0E,   // locking shift 1: G1 into GL
    LS0 = 0x0F,   // locking shift 0: G0 into GL
    PAPF = 0x16,  // parameterized active position forward
    CAN = 0x18,   // cancel
    SS2 = 0x19,   // single shift 2: G2 into GL for one character
    ESC = 0x1B,   // escape
    APS = 0x1C,   // active position set
    SS3 = 0x1D,   // single shift 3: G3 into GL for one character
    RS = 0x1E,    // record separator
    US = 0x1F,    // unit separator
    SP = 0x20,    // space
    DEL = 0x7F,   // delete
};
}  // namespace c0

// C1 (0x80..0x9F).
namespace c1 {
enum : std::uint8_t {
    BKF = 0x80,    // black foreground
    RDF = 0x81,    // red foreground
    GRF = 0x82,    // green foreground
    YLF = 0x83,    // yellow foreground
    BLF = 0x84,    // blue foreground
    MGF = 0x85,    // magenta foreground
    CNF = 0x86,    // cyan foreground
    WHF = 0x87,    // white foreground
    SSZ = 0x88,    // small size
    MSZ = 0x89,    // middle size
    NSZ = 0x8A,    // normal size
    SZX = 0x8B,    // character size controls
    COL = 0x90,    // colour controls
    FLC = 0x91,    // flashing control
    CDC = 0x92,    // conceal display controls
    POL = 0x93,    // pattern polarity controls
    WMM = 0x94,    // writing mode modification
    MACRO = 0x95,  // macro definition
    HLC = 0x97,    // highlighting character block
    RPC = 0x98,    // repeat character
    SPL = 0x99,    // stop lining
    STL = 0x9A,    // start lining
    CSI = 0x9B,    // control sequence introducer
    TIME = 0x9D,   // time controls
};
}  // namespace c1

// The byte after ESC that makes it a locking shift.
namespace esc {
enum : std::uint8_t {
    LS2 = 0x6E,   // G2 into GL
    LS3 = 0x6F,   // G3 into GL
    LS1R = 0x7E,  // G1 into GR
    LS2R = 0x7D,  // G2 into GR
    LS3R = 0x7C,  // G3 into GR
};
}  // namespace esc

// The final byte of a control sequence (CSI P ... [SP] F).
namespace csi {
enum : std::uint8_t {
    XCS = 0x66,  // external character set: suppresses (P = 0) or shows (P = 1) what follows
};
}  // namespace csi

// Designations: ESC [0x24] I [0x20] F puts the set of final byte F into the register that the
// intermediate byte I names.
namespace designation {
inline constexpr std::uint8_t kTwoByteSet = 0x24;  // '$': the set has two bytes per character
inline constexpr std::uint8_t kToG0 = 0x28;        // '(' .. '+': into G0 .. G3
inline constexpr std::uint8_t kToG1 = 0x29;
inline constexpr std::uint8_t kToG2 = 0x2A;
inline constexpr std::uint8_t kToG3 = 0x2B;
inline constexpr std::uint8_t kDynamicSet = 0x20;  // before F: a DRCS or the macro set
}  // namespace designation

}  // namespace arib
