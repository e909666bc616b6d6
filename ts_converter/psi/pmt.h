// Programme map table: the PID that carries the programme's PCR.
#pragma once

#include <cstdint>
#include <span>

namespace korvet {

// PCR_PID, the 13 bits at section bytes 8 and 9 (0 when the section is shorter).
std::uint32_t parsePmt(std::span<const std::uint8_t> section);

}  // namespace korvet
