#include "stamp/header_converter.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace korvet {
namespace {

using Header4 = std::array<std::uint8_t, 4>;

Header4 bd192(std::uint32_t arrival) {
    return {static_cast<std::uint8_t>(arrival >> 24), static_cast<std::uint8_t>(arrival >> 16),
            static_cast<std::uint8_t>(arrival >> 8), static_cast<std::uint8_t>(arrival)};
}

Header4 fw192(std::uint32_t cycle, std::uint32_t offset) {
    const std::uint32_t word = (cycle << 12) | offset;
    return bd192(word);
}

Header4 convertOne(HeaderConverter& converter, const Header4& in) {
    Header4 out{};
    converter.convert(ConstHeader(in), Header(out));
    return out;
}

struct SequenceCase {
    const char* name;
    HeaderDirection direction;
    bool cycle3000;
    std::vector<Header4> inputs;
    std::vector<Header4> expected;
};

class HeaderConverterSequence : public ::testing::TestWithParam<SequenceCase> {};

TEST_P(HeaderConverterSequence, WritesTheOtherFormatsHeader) {
    const SequenceCase& c = GetParam();
    HeaderConverter converter(c.direction, c.cycle3000);
    for (std::size_t i = 0; i < c.inputs.size(); ++i)
        EXPECT_EQ(convertOne(converter, c.inputs[i]), c.expected[i]) << c.name << " packet " << i;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HeaderConverterSequence,
    ::testing::Values(
        SequenceCase{
            "LastTickOfFirstCycle", HeaderDirection::Bd192ToFw192, false, {bd192(3374)}, {{0x00, 0x00, 0x0B, 0xFF}}},
        SequenceCase{"CycleBoundary",
                     HeaderDirection::Bd192ToFw192,
                     false,
                     {bd192(3375), bd192(3376)},
                     {{0x00, 0x00, 0x10, 0x00}, {0x00, 0x00, 0x10, 0x00}}},
        SequenceCase{
            "LastTickOfSecond", HeaderDirection::Bd192ToFw192, false, {bd192(26'999'999)}, {{0x01, 0xF3, 0xFB, 0xFF}}},
        SequenceCase{
            "ThreeThousandTicks", HeaderDirection::Bd192ToFw192, true, {bd192(3374)}, {{0x00, 0x00, 0x0B, 0xB7}}},
        SequenceCase{"CopyPermissionBitsIgnored",
                     HeaderDirection::Bd192ToFw192,
                     false,
                     {bd192(0xC0000000u | 3374)},
                     {{0x00, 0x00, 0x0B, 0xFF}}},
        SequenceCase{"ArrivalTimeWrap",
                     HeaderDirection::Bd192ToFw192,
                     false,
                     {bd192(0x3FFFFFFF), bd192(5)},
                     {{0x01, 0x80, 0x18, 0xB4}, {0x01, 0x80, 0x18, 0xB9}}},
        SequenceCase{"CycleCountWrap",
                     HeaderDirection::Fw192ToBd192,
                     false,
                     {fw192(7999, 3071), fw192(0, 0)},
                     {{0x01, 0x9B, 0xFC, 0xBE}, {0x01, 0x9B, 0xFC, 0xC0}}},
        SequenceCase{
            "FwReservedBitsIgnored", HeaderDirection::Fw192ToBd192, false, {{0xFE, 0x00, 0x10, 0x00}}, {bd192(3375)}},
        SequenceCase{"FwThreeThousandTicks", HeaderDirection::Fw192ToBd192, true, {fw192(0, 2999)}, {bd192(3373)}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(HeaderConverter, KeepsCountingSecondsAcrossManyCycleWraps) {
    HeaderConverter converter(HeaderDirection::Fw192ToBd192, false);
    for (int second = 0; second < 45; ++second) {
        convertOne(converter, fw192(4000, 0));
        convertOne(converter, fw192(7999, 0));
    }
    // 44 wraps: 44 × 8000 + 7999 cycles; the BD192 field keeps the value modulo 2^30.
    EXPECT_EQ(converter.unwrappedValue(), 44 * 8000 + 7999);
    const Header4 out = convertOne(converter, fw192(0, 0));
    EXPECT_EQ(converter.unwrappedValue(), 45 * 8000);
    EXPECT_EQ(out, bd192(static_cast<std::uint32_t>((45LL * 27'000'000) % (1LL << 30))));
}

TEST(TimeStamp, PcrOfAnAdaptationField) {
    // base 0x1_2345_6789 (33 bits), extension 0x123.
    std::array<std::uint8_t, 188> ts{};
    ts[0] = 0x47;
    ts[1] = 0x01;
    ts[2] = 0x00;
    ts[3] = 0x20;
    ts[4] = 7;
    ts[5] = 0x10;
    const std::int64_t base = 0x123456789LL;
    ts[6] = static_cast<std::uint8_t>(base >> 25);
    ts[7] = static_cast<std::uint8_t>(base >> 17);
    ts[8] = static_cast<std::uint8_t>(base >> 9);
    ts[9] = static_cast<std::uint8_t>(base >> 1);
    ts[10] = static_cast<std::uint8_t>(((base & 1) << 7) | 0x7E | 0x01);
    ts[11] = 0x23;
    EXPECT_TRUE(carriesPcr(TsPacket(ts), 0x100));
    EXPECT_FALSE(carriesPcr(TsPacket(ts), 0x101));
    EXPECT_EQ(extractPcr(TsPacket(ts)), base * 300 + 0x123);
    ts[5] = 0x00;  // PCR_flag clear
    EXPECT_FALSE(carriesPcr(TsPacket(ts), 0x100));
    ts[5] = 0x10;
    ts[4] = 0;  // empty adaptation field
    EXPECT_FALSE(carriesPcr(TsPacket(ts), 0x100));
    ts[4] = 7;
    ts[3] = 0x10;  // payload only
    EXPECT_FALSE(carriesPcr(TsPacket(ts), 0x100));
}

}  // namespace
}  // namespace korvet
