// Writes TS packet streams (188-byte packets, or 192 with a 4-byte time-stamp prefix) that
// carry sections, for tests, the demo sample and the benchmarks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "si_sections.h"

namespace ts_streams {

inline constexpr std::uint16_t kNullPid = 0x1FFF;

class TsStreamBuilder {
public:
    explicit TsStreamBuilder(int packetSize = 188) : packetSize_(packetSize) {}

    // Carries the sections, back to back, in consecutive packets of `pid`: a packet in which a
    // section begins has its payload_unit_start_indicator and pointer_field set; the last
    // packet is padded with 0xFF. `firstAdaptation` bytes of adaptation field in the first
    // packet move where the first section begins.
    void addSections(std::uint16_t pid, const std::vector<Bytes>& sections, int firstAdaptation = 0);
    void addSection(std::uint16_t pid, const Bytes& section) { addSections(pid, {section}); }
    // Packets of `pid` with a payload of 0xFF bytes and no unit start (video stand-ins).
    void addFillerPackets(int count, std::uint16_t pid = kNullPid);
    // One 188-byte packet as given (a prefix is added for 192-byte streams).
    void addRawPacket(const Bytes& packet188);
    // Bytes that are no packet at all.
    void addGarbage(const Bytes& bytes);

    const Bytes& bytes() const { return bytes_; }
    int packetSize() const { return packetSize_; }
    bool writeTo(const std::string& path) const;

private:
    void emitPacket(std::uint16_t pid, bool unitStart, int adaptation, const std::uint8_t* payload, int payloadLength,
                    int pointer);
    std::uint8_t nextContinuity(std::uint16_t pid);

    int packetSize_;
    Bytes bytes_;
    std::uint32_t packetCount_ = 0;
    std::uint8_t continuity_[8192] = {};
};

}  // namespace ts_streams
