// Assembles PSI sections of one PID from the packets of a PacketReader and answers the first
// one whose CRC is valid.
#pragma once

#include "io/packet_reader.h"

#include <array>
#include <cstdint>
#include <span>

namespace korvet {

inline constexpr std::int32_t kSectionBufferSize = 4096;
using SectionBuffer = std::array<std::uint8_t, kSectionBufferSize>;

enum class CollectStatus { Found, End, Failed };

class SectionCollector {
public:
    SectionCollector(PacketReader& reader, SectionBuffer& buffer) : reader_(reader), buffer_(buffer) {}

    // Reads packets until a complete, CRC-valid section on `pid` sits at the buffer's start
    // (Found, its length in `length`), the input ends (End) or a read fails (Failed, message
    // printed). The PID's collection state starts afresh on every call.
    CollectStatus collect(std::uint32_t pid, std::int32_t& length);

private:
    // Each answers true when a valid section is complete in the buffer.
    bool walkPacket(std::span<const std::uint8_t> ts, bool unitStart, std::int32_t payloadStart);
    bool startSection(std::span<const std::uint8_t> chunk);
    bool continueSection(std::span<const std::uint8_t> chunk);
    bool append(std::span<const std::uint8_t> chunk);

    PacketReader& reader_;
    SectionBuffer& buffer_;
    bool collecting_ = false;
    std::int32_t stored_ = 0;
    std::int32_t total_ = 0;  // section_length + 3; 0 while the first three bytes are incomplete
};

}  // namespace korvet
