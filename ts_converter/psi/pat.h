// Program association table: the PMT PIDs of its programmes.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace korvet {

inline constexpr std::int32_t kMaxPmtPids = 252;

struct PsiInfo {
    std::array<std::uint32_t, kMaxPmtPids> pmtPids{};
    std::int32_t pmtPidCount = 0;
    std::uint32_t pcrPid = 0;
};

// Stores the PMT PIDs of `section` (programme numbers other than 0, each PID once, in the
// order of the table, at most kMaxPmtPids) and answers their count.
std::int32_t parsePat(std::span<const std::uint8_t> section, std::span<std::uint32_t, kMaxPmtPids> pmtPids);

}  // namespace korvet
