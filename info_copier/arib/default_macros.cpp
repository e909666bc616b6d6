// Default macros 0x60..0x6F of the macro set: each designates a fixed combination of sets
// into G0..G2, puts the macro set into G3 and restores GL = G0, GR = G2.
#include "arib/decoder_steps.h"

namespace arib {
namespace {

struct DefaultMacro {
    CodeSet g0, g1, g2;
};

using S = CodeSet;
constexpr std::uint32_t kFirstMacroCode = 0x60;
constexpr DefaultMacro kDefaultMacros[16] = {
    {S::Kanji, S::Alphanumeric, S::Hiragana},     // 0x60
    {S::Kanji, S::Katakana, S::Hiragana},         // 0x61
    {S::Kanji, S::Drcs1, S::Hiragana},            // 0x62
    {S::MosaicA, S::MosaicC, S::MosaicD},         // 0x63
    {S::MosaicA, S::MosaicB, S::MosaicD},         // 0x64
    {S::MosaicA, S::Drcs1, S::MosaicD},           // 0x65
    {S::Drcs1, S::Drcs2, S::Drcs3},               // 0x66
    {S::Drcs4, S::Drcs5, S::Drcs6},               // 0x67
    {S::Drcs7, S::Drcs8, S::Drcs9},               // 0x68
    {S::Drcs10, S::Drcs11, S::Drcs12},            // 0x69
    {S::Drcs13, S::Drcs14, S::Drcs15},            // 0x6A
    {S::Kanji, S::Drcs2, S::Hiragana},            // 0x6B
    {S::Kanji, S::Drcs3, S::Hiragana},            // 0x6C
    {S::Kanji, S::Drcs4, S::Hiragana},            // 0x6D
    {S::Katakana, S::Hiragana, S::Alphanumeric},  // 0x6E
    {S::Alphanumeric, S::MosaicA, S::Drcs1},      // 0x6F
};

}  // namespace

void applyDefaultMacro(std::uint32_t code, AribDecoderState& state) {
    if (code < kFirstMacroCode || code >= kFirstMacroCode + std::size(kDefaultMacros)) return;
    const DefaultMacro& macro = kDefaultMacros[code - kFirstMacroCode];
    state.G = {macro.g0, macro.g1, macro.g2, CodeSet::Macro};
    state.GL = 0;
    state.GR = 2;
}

}  // namespace arib
