// Makes arrival times for plain 188-byte packets: follows the PCR of one PID and spreads the
// time between two consecutive PCRs evenly over the packets between them. A packet's time is
// known only when the next PCR arrives, so a whole run of packets (a segment) is stamped
// afterwards, in place, in output slots that the writer still holds in memory.
#pragma once

#include "stamp/fw192_encoder.h"
#include "stamp/time_stamp.h"

#include <cstdint>

namespace korvet {

// Results of `step`: the event in the low byte, plus kNewSegment when the packet opened a
// new segment (only on NoPcr, FirstPcrLater, Discontinuity and DiscontinuityAgain).
enum class StampEvent : std::int32_t {
    NoPcr = 0,
    PcrLost = 1,         // 48000 packets without a usable interval: the conversion stops
    FirstPacketPcr = 2,  // the file's first packet carries a PCR
    FirstPacketNoPcr = 3,
    FirstPcrLater = 4,       // the file's first PCR, on a later packet
    Discontinuity = 5,       // a jump of more than 5,000,000 ticks; no rate trusted for now
    DiscontinuityAgain = 6,  // another jump while no rate is trusted
    Stamped = 7,             // a normal interval closed; its segment is stamped
    StampedAfterWait = 8,    // the first plausible interval after a first PCR or a jump
};
inline constexpr std::int32_t kNewSegment = 0x100;

enum class FinishResult : std::int32_t { NothingPending = 9, PendingStamped = 10 };

inline constexpr StampEvent stampEvent(std::int32_t result) { return static_cast<StampEvent>(result & 0xFF); }
inline constexpr bool opensSegment(std::int32_t result) { return (result & kNewSegment) != 0; }

class PcrTimestamper {
public:
    static constexpr std::int32_t kSlotSize = 192;
    static constexpr std::int32_t kMaxSegmentPackets = 48000;
    static constexpr std::int64_t kMaxPcrStep = 5'000'000;  // 185.2 ms

    PcrTimestamper(std::uint32_t pcrPid, bool fw192Output) : pcrPid_(pcrPid), fw192Output_(fw192Output) {}

    // `packet` is the 188-byte input packet, `slot` its 192-byte output slot (bytes 4..191
    // already hold the packet). Answers a StampEvent, possibly with kNewSegment added.
    std::int32_t step(TsPacket packet, std::uint8_t* slot);

    // After the last packet: stamps the open segment at the last interval's rate.
    FinishResult finish();

    std::int64_t timeBase() const { return timeBase_; }

private:
    void writeTime(std::uint8_t* slot, std::int64_t time);
    std::uint8_t* slotAfter(std::uint8_t* slot) const;
    // The k-th of the segment's `count` slots gets timeBase + k × delta / divisor.
    void stampSegment(std::int32_t count, std::int64_t delta, std::int64_t divisor);
    std::int32_t closeInterval(std::int64_t delta, bool afterWait);

    std::uint32_t pcrPid_;
    bool startNewSegment_ = true;
    std::uint8_t* segmentFirstSlot_ = nullptr;
    std::uint8_t* previousSlot_ = nullptr;
    bool segmentWrapped_ = false;
    std::uint8_t* wrapLastSlot_ = nullptr;   // last slot before the writer's ring end
    std::uint8_t* wrapFirstSlot_ = nullptr;  // first slot after the ring start
    std::int32_t packetCount_ = 0;
    std::int32_t countAtFirstPcr_ = 0;
    std::int32_t lastIntervalCount_ = 0;  // 0 until an interval has been stamped
    std::int64_t timeBase_ = 0;
    std::int64_t previousPcr_ = 0;
    std::int64_t lastIntervalDelta_ = 0;
    bool firstPacket_ = true;
    bool awaitingRate_ = false;
    bool havePcr_ = false;
    bool fw192Output_;
    Fw192Encoder fw192Encoder_{kCycleTicks3072};
};

}  // namespace korvet
