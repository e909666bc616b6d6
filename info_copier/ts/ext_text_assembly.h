// The extended description of an event, built from its extended event descriptors: headings
// and texts decoded to UTF-16 and joined with line breaks. Item text is kept as raw coded
// bytes until it is complete, because a broadcaster may split one item (even one character)
// across two descriptors.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "rpls/program_info.h"

namespace ts {

struct ExtTextAssembly {
    static constexpr int kUnitCapacity = 65536;
    static constexpr int kPendingCapacity = 65536;

    std::array<char16_t, kUnitCapacity> units;
    int unitCount = 0;
    std::array<std::uint8_t, kPendingCapacity> pending;
    int pendingLength = 0;

    void restart() {
        unitCount = 0;
        pendingLength = 0;
    }
    // Decodes coded bytes and appends the text; what does not fit is dropped.
    void decodeAndAppend(std::span<const std::uint8_t> coded);
    // Holds item text back, undecoded; what does not fit is dropped.
    void appendPending(std::span<const std::uint8_t> coded);
    // Decodes and appends the held item text.
    void flush();
    void appendLineBreak();
    // Codes the assembled text into the record's extended description (at most 1200 bytes).
    void storeInto(rpls::ProgramInfo& info) const;
};

}  // namespace ts
