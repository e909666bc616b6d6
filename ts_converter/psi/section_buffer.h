// Sizes and header fields shared by everything that handles PSI sections. tolvane has its
// own twin (info_copier/ts/section_buffer.h).
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "psi/field_cursor.h"

namespace korvet {

// One section of a PAT or PMT, which ISO/IEC 13818-1 limits to 1024 bytes.
inline constexpr std::int32_t kSectionBufferSize = 4096;
using SectionBuffer = std::array<std::uint8_t, kSectionBufferSize>;

// section_length, the 12 bits of bytes 1 and 2; bytes outside `section` read as zero.
inline std::int32_t sectionLength(std::span<const std::uint8_t> section) {
    FieldCursor c(section);
    c.u8();     // table_id
    c.bits(4);  // section_syntax_indicator, '0', reserved
    return static_cast<std::int32_t>(c.bits(12));
}
// The whole section: header, body and CRC_32.
inline std::int32_t wholeSectionLength(std::span<const std::uint8_t> section) { return sectionLength(section) + 3; }

}  // namespace korvet
