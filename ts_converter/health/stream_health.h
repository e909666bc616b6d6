// Stream health of a recording, per PID: packets, continuity drops, transport errors and
// scrambled packets, counted over every delivered packet in the pass that converts it.
//
// The rules, so that the figures compare with other careful tools:
// - a packet with transport_error_indicator set counts as an error and nowhere else; it is not
//   checked for continuity and leaves the expected counter alone;
// - any other packet whose transport_scrambling_control is not 00 counts as scrambled;
// - continuity is checked on every PID but the null PID, on packets with a payload only
//   (adaptation_field_control 01 or 11). The first such packet of a PID, and one whose
//   adaptation field has discontinuity_indicator set, set the counter without a check. Then
//   the previous counter + 1 (mod 16) is in order; the previous counter itself is a duplicate,
//   allowed once in a row; anything else, a second duplicate in a row included, is one drop,
//   and the packet's counter becomes the expected one's base.
#pragma once

#include "io/delivery_observer.h"

#include <array>
#include <cstdint>
#include <memory>
#include <span>

namespace korvet {

struct PidHealth {
    std::uint64_t packets = 0;
    std::uint64_t drops = 0;
    std::uint64_t errors = 0;
    std::uint64_t scrambled = 0;
};

class StreamHealth final : public DeliveryObserver {
public:
    static constexpr std::int32_t kPidCount = 8192;
    static constexpr std::uint16_t kNullPid = 0x1FFF;

    // Allocates the per-PID tables once for the run.
    StreamHealth();

    void delivered(std::span<const std::uint8_t> packets, std::int32_t packetSize) override;
    // One 188-byte TS packet (the sync byte first).
    void count(const std::uint8_t* ts);

    const PidHealth& pid(std::int32_t pid) const { return pids_[static_cast<std::size_t>(pid)]; }
    PidHealth total() const;

private:
    // Per PID: bit 7 set once a counter is known, bit 4 set when the last checked packet
    // repeated its predecessor's counter, bits 3..0 the last counter.
    std::unique_ptr<std::array<PidHealth, kPidCount>> table_;
    PidHealth* pids_;
    std::unique_ptr<std::array<std::uint8_t, kPidCount>> continuity_;
};

}  // namespace korvet
