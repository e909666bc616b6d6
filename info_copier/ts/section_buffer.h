// Sizes and header fields shared by everything that handles PSI/SI sections. KORVET has its
// own twin (ts_converter/psi/section_buffer.h).
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "rpls/byte_view.h"

namespace ts {

// A section buffer: far larger than any section (at most 4098 bytes with a 12-bit length),
// zero behind the section it holds.
inline constexpr std::size_t kSectionBufferSize = 65536;
using SectionBuffer = std::array<std::uint8_t, kSectionBufferSize>;

// Reads outside the buffer give zero, so offsets built from hostile lengths stay harmless.
using SectionView = rpls::ConstByteView;

inline SectionView viewOf(std::span<const std::uint8_t> section) { return SectionView(section.data(), section.size()); }

inline int sectionLength(const SectionView& section) { return section.be16(1) & 0x0FFF; }
// The whole section: header, body and CRC_32.
inline int wholeSectionLength(const SectionView& section) { return sectionLength(section) + 3; }

// Puts an accepted section at the start of `result` with zeros behind it, so that a section
// stored over a longer one leaves none of the earlier bytes in view.
inline void storeSection(SectionBuffer& result, std::span<const std::uint8_t> section) {
    const std::size_t length = section.size() < result.size() ? section.size() : result.size();
    std::copy(section.begin(), section.begin() + static_cast<std::ptrdiff_t>(length), result.begin());
    std::fill(result.begin() + static_cast<std::ptrdiff_t>(length), result.end(), std::uint8_t{0});
}

// Up to `length` bytes from `offset`, cut at the end of the view.
inline std::span<const std::uint8_t> boundedBytes(const SectionView& view, std::uint64_t offset, std::uint64_t length) {
    if (offset >= view.size()) return {};
    const std::uint64_t room = view.size() - offset;
    return {view.data() + offset, static_cast<std::size_t>(length < room ? length : room)};
}

}  // namespace ts
