// PAT and PMT sections cut short at every length: a field is read only when it is there.
#include "psi/pat.h"
#include "psi/pmt.h"

#include <gtest/gtest.h>

#include <vector>

namespace korvet {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::span<const std::uint8_t> cut(const Bytes& section, std::size_t length) { return {section.data(), length}; }

TEST(PsiTables, SectionsCutAtEveryLength) {
    // PAT: header, then programmes 0 (network PID 0x0010), 1 (0x0100) and 2 (0x0101); the CRC
    // is not looked at.
    const Bytes pat{0x00, 0xB0, 0x15, 0x00, 0x01, 0xC1, 0x00, 0x00, 0x00, 0x00, 0xE0, 0x10,
                    0x00, 0x01, 0xE1, 0x00, 0x00, 0x02, 0xE1, 0x01, 0x00, 0x00, 0x00, 0x00};
    for (std::size_t length = 0; length <= pat.size(); ++length) {
        PsiInfo info;
        // Each entry counts once its 4 bytes are all there.
        const std::int32_t expected = length >= 20 ? 2 : length >= 16 ? 1 : 0;
        EXPECT_EQ(parsePat(cut(pat, length), info.pmtPids), expected) << length;
    }

    // PMT: PCR_PID 0x01FF in bytes 8 and 9.
    const Bytes pmt{0x02, 0xB0, 0x0D, 0x00, 0x01, 0xC1, 0x00, 0x00, 0xE1, 0xFF, 0xF0, 0x00, 0, 0, 0, 0};
    for (std::size_t length = 0; length <= pmt.size(); ++length) {
        EXPECT_EQ(parsePmt(cut(pmt, length)), length >= 10 ? 0x01FFu : 0u) << length;
    }
}

}  // namespace
}  // namespace korvet
