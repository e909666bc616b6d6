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
    {S::kKanji, S::kAlphanumeric, S::kHiragana},     // 0x60
    {S::kKanji, S::kKatakana, S::kHiragana},         // 0x61
    {S::kKanji, S::kDrcs1, S::kHiragana},            // 0x62
    {S::kMosaicA, S::kMosaicC, S::kMosaicD},         // 0x63
    {S::kMosaicA, S::kMosaicB, S::kMosaicD},         // 0x64
    {S::kMosaicA, S::kDrcs1, S::kMosaicD},           // 0x65
    {S::kDrcs1, S::kDrcs2, S::kDrcs3},               // 0x66
    {S::kDrcs4, S::kDrcs5, S::kDrcs6},               // 0x67
    {S::kDrcs7, S::kDrcs8, S::kDrcs9},               // 0x68
    {S::kDrcs10, S::kDrcs11, S::kDrcs12},            // 0x69
    {S::kDrcs13, S::kDrcs14, S::kDrcs15},            // 0x6A
    {S::kKanji, S::kDrcs2, S::kHiragana},            // 0x6B
    {S::kKanji, S::kDrcs3, S::kHiragana},            // 0x6C
    {S::kKanji, S::kDrcs4, S::kHiragana},            // 0x6D
    {S::kKatakana, S::kHiragana, S::kAlphanumeric},  // 0x6E
    {S::kAlphanumeric, S::kMosaicA, S::kDrcs1},      // 0x6F
};

}  // namespace

void applyDefaultMacro(std::uint32_t code, AribDecoderState& state) {
    if (code < kFirstMacroCode || code >= kFirstMacroCode + std::size(kDefaultMacros)) return;
    const DefaultMacro& macro = kDefaultMacros[code - kFirstMacroCode];
    state.G = {macro.g0, macro.g1, macro.g2, CodeSet::kMacro};
    state.GL = 0;
    state.GR = 2;
}

}  // namespace arib
