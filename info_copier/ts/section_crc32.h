// The CRC-32 of MPEG-2 PSI/SI sections (ISO/IEC 13818-1 Annex A: polynomial 0x04C11DB7,
// initial value 0xFFFFFFFF, most significant bit first, no reflection, no final XOR). Over a
// whole intact section, its CRC_32 field included, the result is 0. KORVET has its own twin (ts_converter/psi/crc32.cpp);
// the programs share no code.
#pragma once

#include <cstdint>
#include <span>

namespace ts {

std::uint32_t sectionCrc32(std::span<const std::uint8_t> bytes);

}  // namespace ts
