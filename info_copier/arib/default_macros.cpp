// Default macros 0x60..0x6F of the macro set: each designates a fixed combination of sets
// into G0..G2, puts the macro set into G3 and restores GL = G0, GR = G2.
#include "arib/decoder_steps.h"

namespace arib {
namespace {

struct DefaultMacro {
    CodeSet g0, g1, g2;
};

using S = CodeSet;
constexpr std::uint32_t firstMacroCode = 0x60;
constexpr DefaultMacro defaultMacros[16] = {
    {S::kanji, S::alphanumeric, S::hiragana},     // 0x60
    {S::kanji, S::katakana, S::hiragana},         // 0x61
    {S::kanji, S::drcs1, S::hiragana},            // 0x62
    {S::mosaicA, S::mosaicC, S::mosaicD},         // 0x63
    {S::mosaicA, S::mosaicB, S::mosaicD},         // 0x64
    {S::mosaicA, S::drcs1, S::mosaicD},           // 0x65
    {S::drcs1, S::drcs2, S::drcs3},               // 0x66
    {S::drcs4, S::drcs5, S::drcs6},               // 0x67
    {S::drcs7, S::drcs8, S::drcs9},               // 0x68
    {S::drcs10, S::drcs11, S::drcs12},            // 0x69
    {S::drcs13, S::drcs14, S::drcs15},            // 0x6A
    {S::kanji, S::drcs2, S::hiragana},            // 0x6B
    {S::kanji, S::drcs3, S::hiragana},            // 0x6C
    {S::kanji, S::drcs4, S::hiragana},            // 0x6D
    {S::katakana, S::hiragana, S::alphanumeric},  // 0x6E
    {S::alphanumeric, S::mosaicA, S::drcs1},      // 0x6F
};

}  // namespace

void applyDefaultMacro(std::uint32_t code, AribDecoderState& state) {
    if (code < firstMacroCode || code >= firstMacroCode + std::size(defaultMacros)) return;
    const DefaultMacro& macro = defaultMacros[code - firstMacroCode];
    state.G = {macro.g0, macro.g1, macro.g2, CodeSet::macro};
    state.GL = 0;
    state.GR = 2;
}

}  // namespace arib
