// The demo recording: one terrestrial service with PAT, PMT, EIT present/following and SDT
// repeated through the stream between stand-in video packets.
#pragma once

#include "si_sections.h"

namespace ts_streams {

// What the sample carries, for tests that check a run against it.
struct SampleProgramme {
    static constexpr std::uint16_t kServiceId = 0x0400;
    static constexpr std::uint16_t kNetworkId = 0x7FE0;  // key id 1: channel 11
    static constexpr std::uint16_t kPmtPid = 0x01F0;
    static constexpr std::uint16_t kVideoPid = 0x0111;
    Bytes channelName;
    Bytes title;
    Bytes text;
    std::vector<ExtendedItem> items;
    Bytes genres;  // content bytes
};

SampleProgramme sampleProgramme();

// The whole stream in `packetSize`-byte packets (188 or 192), about 300 KB.
Bytes buildSampleStream(int packetSize);

// One block of a long recording for the benchmarks, `packets` packets of `packetSize` bytes:
// the programme's PAT, PMT, SDT and, `withEit`, its EIT present/following at the start, then
// stand-in video packets. Repeated, it makes a stream of any length.
Bytes buildSampleProgrammeBlock(int packetSize, int packets, bool withEit);

// The same programme as a partial TS of a recorder: an SIT on PID 0x1F between stand-in video
// packets, and no PAT, EIT or SDT.
Bytes buildSampleSelectionStream(int packetSize);

}  // namespace ts_streams
