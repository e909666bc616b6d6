#include "stamp/pcr_timestamper.h"

#include "ts_packets.h"

#include <gtest/gtest.h>

#include <vector>

namespace korvet {
namespace {

using namespace ts_streams;

constexpr std::uint16_t kPid = 0x100;

std::int64_t bdTime(const std::uint8_t* slot) { return bd192ArrivalTime(slot); }

// Slots laid out like the writer's ring: `slots` consecutive 192-byte slots, handed out in order
// and starting again at the first after the last.
class SlotRing {
public:
    explicit SlotRing(std::size_t slots) : bytes_(slots * 192, 0xAA) {}
    std::uint8_t* next() {
        std::uint8_t* slot = bytes_.data() + (index_ % (bytes_.size() / 192)) * 192;
        ++index_;
        return slot;
    }
    std::uint8_t* slot(std::size_t i) { return bytes_.data() + (i % (bytes_.size() / 192)) * 192; }

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t index_ = 0;
};

std::int32_t feed(PcrTimestamper& stamper, SlotRing& ring, const Bytes& ts) {
    return stamper.step(TsPacket(ts.data(), 188), ring.next());
}

TEST(PcrTimestamper, SpreadsAnIntervalEvenlyOverItsPackets) {
    PcrTimestamper stamper(kPid, false);
    SlotRing ring(32);
    EXPECT_EQ(feed(stamper, ring, pcrPacket(kPid, 1'000'000)), 2);
    EXPECT_EQ(feed(stamper, ring, payloadPacket(0x200, 1)), 0 | kNewSegment);
    for (std::uint32_t i = 2; i < 10; ++i) EXPECT_EQ(feed(stamper, ring, payloadPacket(0x200, i)), 0);
    EXPECT_EQ(feed(stamper, ring, pcrPacket(kPid, 1'270'000)), 7);
    for (std::uint32_t i = 0; i <= 10; ++i) EXPECT_EQ(bdTime(ring.slot(i)), i * 27'000) << i;
    EXPECT_EQ(stamper.timeBase(), 270'000);
    EXPECT_EQ(stamper.finish(), FinishResult::NothingPending);
}

TEST(PcrTimestamper, FiveMillionTicksIsTheLargestNormalInterval) {
    struct Case {
        std::int64_t step;
        std::int32_t result;
    };
    for (const Case c : {Case{5'000'000, 7}, Case{5'000'001, 5 | kNewSegment}}) {
        PcrTimestamper stamper(kPid, false);
        SlotRing ring(8);
        feed(stamper, ring, pcrPacket(kPid, 0));
        EXPECT_EQ(feed(stamper, ring, pcrPacket(kPid, c.step)), c.result) << c.step;
    }
}

TEST(PcrTimestamper, PcrWrapGivesTheShortDifference) {
    PcrTimestamper stamper(kPid, false);
    SlotRing ring(8);
    feed(stamper, ring, pcrPacket(kPid, 2'576'980'376'600));
    EXPECT_EQ(feed(stamper, ring, pcrPacket(kPid, 500)), 7);
    EXPECT_EQ(bdTime(ring.slot(1)), 1'500);
}

TEST(PcrTimestamper, PacketsBeforeTheFirstPcrTakeTheFirstTrustedRate) {
    // First PCR on packet 50, the next one 10 packets later, 100,000 ticks on.
    PcrTimestamper stamper(kPid, false);
    SlotRing ring(128);
    EXPECT_EQ(feed(stamper, ring, payloadPacket(0x200, 0)), 3);
    EXPECT_EQ(feed(stamper, ring, payloadPacket(0x200, 1)), 0 | kNewSegment);
    for (std::uint32_t i = 3; i < 50; ++i) feed(stamper, ring, payloadPacket(0x200, i));
    EXPECT_EQ(feed(stamper, ring, pcrPacket(kPid, 7'000'000)), 4);
    for (std::uint32_t i = 51; i < 60; ++i) feed(stamper, ring, payloadPacket(0x200, i));
    EXPECT_EQ(feed(stamper, ring, pcrPacket(kPid, 7'100'000)), 8);
    // 59 packets after the first, at 10,000 ticks each.
    EXPECT_EQ(bdTime(ring.slot(0)), 0);
    for (std::uint32_t i = 1; i < 60; ++i) EXPECT_EQ(bdTime(ring.slot(i)), i * 10'000) << i;
    EXPECT_EQ(stamper.timeBase(), 590'000);
}

TEST(PcrTimestamper, DiscontinuityKeepsTimeContinuous) {
    PcrTimestamper stamper(kPid, false);
    SlotRing ring(64);
    feed(stamper, ring, pcrPacket(kPid, 0));
    for (std::uint32_t i = 1; i < 4; ++i) feed(stamper, ring, payloadPacket(0x200, i));
    EXPECT_EQ(feed(stamper, ring, pcrPacket(kPid, 40'000)), 7);  // packets 1..4: 10,000 each
    EXPECT_EQ(feed(stamper, ring, pcrPacket(kPid, 900'000'000)), 5 | kNewSegment);
    EXPECT_EQ(feed(stamper, ring, pcrPacket(kPid, 1'800'000'000)), 6);
    feed(stamper, ring, payloadPacket(0x200, 7));
    EXPECT_EQ(feed(stamper, ring, pcrPacket(kPid, 1'800'040'000)), 8);
    // Packets 5..8 follow at the new rate (20,000 a packet), counted from packet 4.
    for (std::uint32_t i = 5; i <= 8; ++i) EXPECT_EQ(bdTime(ring.slot(i)), 40'000 + (i - 4) * 20'000) << i;
}

TEST(PcrTimestamper, SegmentAcrossTheRingEndIsWalkedLikeTheRing) {
    PcrTimestamper stamper(kPid, false);
    SlotRing ring(6);
    feed(stamper, ring, pcrPacket(kPid, 0));
    feed(stamper, ring, pcrPacket(kPid, 3'000));  // slot 1: 3,000
    for (std::uint32_t i = 2; i < 8; ++i) feed(stamper, ring, payloadPacket(0x200, i));
    EXPECT_EQ(feed(stamper, ring, pcrPacket(kPid, 24'000)), 7);  // packets 2..8 in slots 2,3,4,5,0,1,2
    const std::vector<std::int64_t> expected{18'000, 21'000, 24'000, 9'000, 12'000, 15'000};
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(bdTime(ring.slot(i)), expected[i]) << i;
}

TEST(PcrTimestamper, FinishStampsPendingPacketsAtTheLastRate) {
    PcrTimestamper stamper(kPid, true);
    SlotRing ring(16);
    feed(stamper, ring, pcrPacket(kPid, 0));
    feed(stamper, ring, payloadPacket(0x200, 1));
    feed(stamper, ring, pcrPacket(kPid, 6'750));  // two packets, 3,375 ticks each
    feed(stamper, ring, payloadPacket(0x200, 3));
    feed(stamper, ring, payloadPacket(0x200, 4));
    EXPECT_EQ(stamper.finish(), FinishResult::PendingStamped);
    // FW192: cycles 3 and 4, offset 0.
    for (std::size_t i = 0; i <= 4; ++i) {
        EXPECT_EQ(fw192Cycle(ring.slot(i)), static_cast<int>(i)) << i;
        EXPECT_EQ(fw192Offset(ring.slot(i)), 0) << i;
    }
}

TEST(PcrTimestamper, FinishWithoutAnyIntervalGivesTheLastStampedTime) {
    PcrTimestamper stamper(kPid, false);
    SlotRing ring(16);
    feed(stamper, ring, payloadPacket(0x200, 0));
    feed(stamper, ring, pcrPacket(kPid, 1234));
    feed(stamper, ring, payloadPacket(0x200, 2));
    EXPECT_EQ(stamper.finish(), FinishResult::PendingStamped);
    for (std::uint32_t i = 0; i < 3; ++i) EXPECT_EQ(bdTime(ring.slot(i)), 0) << i;
}

TEST(PcrTimestamper, StopsAfter48000PacketsWithoutAnInterval) {
    PcrTimestamper stamper(0x1FFF, false);
    SlotRing ring(48128);
    const Bytes ts = payloadPacket(0x200, 0);
    EXPECT_EQ(feed(stamper, ring, ts), 3);
    for (int i = 1; i < 48000; ++i) ASSERT_EQ(feed(stamper, ring, ts) & 0xFF, 0) << i;
    EXPECT_EQ(feed(stamper, ring, ts), 1);
}

}  // namespace
}  // namespace korvet
