// What the two scans ask of a complete section before they take it. Each answers from the
// section's own bytes; the CRC is checked separately.
#pragma once

#include <cstdint>

#include "ts/section_buffer.h"

namespace ts {

inline constexpr std::uint8_t kTableIdPat = 0x00;
inline constexpr std::uint8_t kTableIdSdtActual = 0x42;
inline constexpr std::uint8_t kTableIdEitPresentFollowingActual = 0x4E;
inline constexpr std::uint8_t kTableIdSit = 0x7F;

// The first non-zero program_number of a PAT section, or 0 when it lists none (entries with
// program_number 0 name the network PID and are passed over).
std::uint16_t firstProgramNumber(const SectionView& pat);

// An EIT (actual, present/following) section for the present event of `serviceId` that holds
// at least one byte of event loop.
bool isPresentEventSection(const SectionView& eit, std::uint16_t serviceId);

bool isSelectionSection(const SectionView& section);

// An SDT (actual) section whose service loop holds `serviceId`.
bool listsService(const SectionView& sdt, std::uint16_t serviceId);

}  // namespace ts
