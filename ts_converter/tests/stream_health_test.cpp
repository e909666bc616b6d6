// Each counting rule of the stream check on packets built field by field.
#include "health/stream_health.h"
#include "ts_packets.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvet {
namespace {

using ts_streams::Bytes;

constexpr std::uint16_t kPid = 0x0100;

// One packet of a case: its counter and what else sets it apart.
enum class Kind { Payload, AdaptationOnly, Discontinuity, EmptyAdaptation, TransportError, Scrambled, OddScrambled };

struct Step {
    std::uint8_t counter;
    Kind kind = Kind::Payload;
};

Bytes packetFor(const Step& step, std::uint16_t pid) {
    switch (step.kind) {
        case Kind::AdaptationOnly: {
            Bytes packet = ts_streams::pcrPacket(pid, 27'000'000);
            packet[3] = static_cast<std::uint8_t>((packet[3] & 0xF0) | step.counter);
            return packet;
        }
        case Kind::Discontinuity: return ts_streams::tsPacketWithAdaptation(pid, false, {0x80}, {}, step.counter);
        case Kind::EmptyAdaptation: {
            // adaptation_field_length 0: no flags byte, so no discontinuity_indicator; the next
            // byte (0x80) is payload.
            Bytes packet = ts_streams::tsPacketWithAdaptation(pid, false, {}, {0x80}, step.counter);
            return packet;
        }
        default: break;
    }
    Bytes packet = ts_streams::tsPacket(pid, false, {}, step.counter);
    if (step.kind == Kind::TransportError) packet[1] |= 0x80;
    if (step.kind == Kind::TransportError || step.kind == Kind::Scrambled) packet[3] |= 0x80;  // 10: even key
    if (step.kind == Kind::OddScrambled) packet[3] |= 0xC0;
    return packet;
}

struct Case {
    const char* rule;
    std::vector<Step> steps;
    std::uint64_t drops;
    std::uint64_t errors = 0;
    std::uint64_t scrambled = 0;
};

PidHealth countCase(const Case& c, std::uint16_t pid, std::int32_t packetSize) {
    Bytes stream;
    for (const Step& step : c.steps) {
        if (packetSize == 192) ts_streams::append(stream, {0x12, 0x34, 0x56, 0x78});
        ts_streams::append(stream, packetFor(step, pid));
    }
    StreamHealth health;
    health.delivered(stream, packetSize);
    return health.pid(pid);
}

TEST(StreamHealth, CountsEachRule) {
    using K = Kind;
    const std::vector<Case> cases{
        {"in order, wrapping at 16", {{14}, {15}, {0}, {1}}, 0},
        {"the first packet sets the counter", {{9}, {10}}, 0},
        {"a gap is one drop", {{0}, {1}, {3}, {4}}, 1},
        {"a step back is one drop", {{5}, {4}, {5}}, 1},
        {"one duplicate is allowed", {{0}, {1}, {1}, {2}}, 0},
        {"a second duplicate in a row is a drop", {{0}, {1}, {1}, {1}, {2}}, 1},
        {"every further repeat is one more", {{5}, {5}, {5}, {5}}, 2},
        {"duplicates apart are each allowed", {{0}, {0}, {1}, {1}, {2}}, 0},
        {"discontinuity_indicator sets the counter", {{0}, {1}, {7, K::Discontinuity}, {8}}, 0},
        {"an empty adaptation field has no indicator", {{0}, {1}, {7, K::EmptyAdaptation}}, 1},
        {"packets without payload are not checked", {{0}, {9, K::AdaptationOnly}, {1}}, 0},
        {"a transport error leaves the counter", {{0}, {1}, {2, K::TransportError}, {3}}, 1, 1},
        {"a transport error is not scrambled too", {{0}, {5, K::TransportError}, {1}}, 0, 1},
        {"scrambled packets are checked as well", {{0, K::Scrambled}, {1, K::OddScrambled}, {3}}, 1, 0, 2},
    };
    for (const std::int32_t size : {188, 192}) {
        for (const Case& c : cases) {
            const PidHealth figures = countCase(c, kPid, size);
            const std::string label = std::string(c.rule) + " (" + std::to_string(size) + ")";
            EXPECT_EQ(figures.packets, c.steps.size()) << label;
            EXPECT_EQ(figures.drops, c.drops) << label;
            EXPECT_EQ(figures.errors, c.errors) << label;
            EXPECT_EQ(figures.scrambled, c.scrambled) << label;
        }
    }
}

TEST(StreamHealth, NullPidHasNoContinuity) {
    const Case nulls{"null PID", {{3}, {3}, {3}, {9}, {0, Kind::Scrambled}}, 0, 0, 1};
    const PidHealth figures = countCase(nulls, StreamHealth::kNullPid, 188);
    EXPECT_EQ(figures.packets, 5u);
    EXPECT_EQ(figures.drops, 0u);
    EXPECT_EQ(figures.scrambled, 1u);
}

TEST(StreamHealth, PidsAreCountedApartAndInTotal) {
    Bytes stream;
    for (std::uint8_t i = 0; i < 4; ++i) {
        ts_streams::append(stream, ts_streams::tsPacket(0x0011, false, {}, i));
        ts_streams::append(stream, ts_streams::tsPacket(0x1FFE, false, {}, static_cast<std::uint8_t>(2 * i)));
    }
    StreamHealth health;
    // Delivered in two runs, cut between packets, as the reader hands them over.
    health.delivered(std::span<const std::uint8_t>(stream).first(3 * 188), 188);
    health.delivered(std::span<const std::uint8_t>(stream).subspan(3 * 188), 188);
    EXPECT_EQ(health.pid(0x0011).drops, 0u);
    EXPECT_EQ(health.pid(0x1FFE).drops, 3u);
    EXPECT_EQ(health.total().packets, 8u);
    EXPECT_EQ(health.total().drops, 3u);
}

}  // namespace
}  // namespace korvet
