// ARIB STD-B24 8-unit coded text <-> UTF-16.
//
// Both operations share one output rule: a null destination only measures; every unit is
// counted, only units below the capacity are stored; the result is the count capped at the
// capacity; a terminating 0 is stored only when the count is below the capacity.
#pragma once

#include <cstddef>
#include <cstdint>

namespace arib {

// Decodes `srcLength` coded bytes into at most `dstCapacity` UTF-16 units (CR LF for line
// breaks, surrogate pairs above U+FFFF).
int decodeAribText(char16_t* dst, int dstCapacity, const std::uint8_t* src, int srcLength);

// Codes `srcLength` UTF-16 units into at most `dstCapacity` bytes, choosing the shorter of two
// designation strategies. With `sizeControls`, runs of alphanumerics, kana and symbols are
// written in the middle (half-width) size where that is shorter or matches the input.
int encodeAribText(std::uint8_t* dst, int dstCapacity, const char16_t* src, int srcLength, bool sizeControls);

}  // namespace arib
