// readTsInfo on whole streams: which scan supplies what, and what a stream without
// programme information leaves behind.
#include <gtest/gtest.h>

#include <cstring>

#include "ts/read_ts_info.h"
#include "ts_test_support.h"

namespace {

using namespace ts_streams;
using ts_test::Bytes;

constexpr std::uint16_t kService = 0x0400;

Bytes eventDescriptors() { return shortEventDescriptor(Bytes(6, 0x31), Bytes(8, 0x32)); }
Bytes sdtNaming(std::uint16_t serviceId) {
    return sdtSection(0x42, 1, 0x7FE0, {{serviceId, serviceDescriptor(1, {}, Bytes(10, 0x41))}});
}

TEST(ReadTsInfo, FillsTheRecordFromEitAndSdt) {
    for (const int packetSize : {188, 192}) {
        TsStreamBuilder builder(packetSize);
        builder.addFillerPackets(10);
        builder.addSection(0x11, sdtNaming(kService));  // before the EIT: the service scan starts over
        builder.addSection(0, ts_test::patFor(kService));
        builder.addSection(0x12, ts_test::presentEit(kService, eventDescriptors()));
        const ts_test::TsInfoOutcome outcome = ts_test::runReadTsInfo(builder.bytes(), packetSize);
        ASSERT_TRUE(outcome.found) << packetSize;
        EXPECT_EQ(outcome.info.channelNameLength, 10);
        EXPECT_EQ(outcome.info.titleLength, 6);
        EXPECT_EQ(outcome.info.textLength, 8);
        EXPECT_EQ(outcome.info.channelNumber[1], 11);
        EXPECT_EQ(outcome.info.zone, 18);
        EXPECT_EQ(outcome.info.privateCode, -1);
        EXPECT_EQ(Bytes(outcome.info.codePair, outcome.info.codePair + 4), Bytes(4, 0));
    }
}

TEST(ReadTsInfo, WithoutSdtEverythingButTheChannelName) {
    TsStreamBuilder builder(188);
    builder.addSection(0, ts_test::patFor(kService));
    builder.addSection(0x12, ts_test::presentEit(kService, eventDescriptors()));
    builder.addSection(0x11, sdtNaming(0x0401));  // lists another service only
    const ts_test::TsInfoOutcome outcome = ts_test::runReadTsInfo(builder.bytes(), 188);
    ASSERT_TRUE(outcome.found);
    EXPECT_EQ(outcome.info.channelNameLength, 0);
    EXPECT_EQ(outcome.info.titleLength, 6);
    EXPECT_EQ(outcome.info.zone, 18);
}

TEST(ReadTsInfo, TakesAnSelectionSectionWithoutRunningTheServiceScan) {
    TsStreamBuilder builder(188);
    builder.addSection(0x1F, sitSection({}, {{0x0123, eventDescriptors()}}));
    builder.addSection(0x11, sdtNaming(0x0123));
    const ts_test::TsInfoOutcome outcome = ts_test::runReadTsInfo(builder.bytes(), 188);
    ASSERT_TRUE(outcome.found);
    EXPECT_EQ(outcome.info.channelNameLength, 0);
    EXPECT_EQ(outcome.info.titleLength, 6);
    EXPECT_EQ(outcome.info.channelNumber[0] << 8 | outcome.info.channelNumber[1], 0x0123);
    EXPECT_EQ(outcome.info.privateCode, -1);
}

TEST(ReadTsInfo, LeavesTheRecordUntouchedWhenNothingIsFound) {
    TsStreamBuilder builder(188);
    builder.addSection(0, ts_test::patFor(kService));
    builder.addSection(0x12, ts_test::presentEit(0x0401, eventDescriptors()));
    builder.addSection(0x11, sdtNaming(kService));
    builder.addFillerPackets(5);
    platform::File file;
    ASSERT_TRUE(file.openExisting(ts_test::writeTempFile(builder.bytes()).c_str(), platform::Access::Read, false));
    rpls::ProgramInfo info;
    std::memset(&info, 0x5A, sizeof info);
    rpls::ProgramInfo before;
    std::memcpy(&before, &info, sizeof info);
    EXPECT_FALSE(ts::readTsInfo(info, file, 188, 0));
    EXPECT_EQ(std::memcmp(&info, &before, sizeof info), 0);
}

}  // namespace
