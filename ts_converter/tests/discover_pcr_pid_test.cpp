#include "psi/discover_pcr_pid.h"

#include "psi/crc32.h"
#include "psi/pat.h"
#include "ts_builder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

namespace korvet {
namespace {

using test::Bytes;

constexpr std::uint16_t kPmtPid = 0x0100;
constexpr std::uint16_t kPcrPid = 0x01FF;

std::vector<Bytes> wholeSection(std::uint16_t pid, const Bytes& section) { return test::sectionPackets(pid, section); }

Bytes brokenCrc(Bytes section) {
    section.back() ^= 0x01;
    return section;
}

struct Outcome {
    bool found;
    std::uint32_t pcrPid;
    std::int32_t pmtPidCount;
};

Outcome discover(const Bytes& stream, std::int32_t packetSize = 188) {
    const std::string path = test::tempPath("in");
    test::writeFile(path, stream);
    PacketReader reader;
    EXPECT_TRUE(reader.open(path.c_str(), packetSize, 1, true));
    reader.setReportRemoved(false);
    EXPECT_TRUE(reader.rewind());
    PsiInfo info;
    const bool found = discoverPcrPid(reader, info);
    std::remove(path.c_str());
    return {found, info.pcrPid, info.pmtPidCount};
}

// A PMT of 399 bytes (descriptors in the program info loop): three packets.
Bytes longPmt() {
    Bytes body{0x00, 0x01, 0xC1, 0x00, 0x00, 0xE1, 0xFF, 0xF1, 0x7F};
    for (int i = 0; i < 0x17F; ++i) body.push_back(static_cast<std::uint8_t>(i));
    return test::section(0x02, body);
}

// A unit-start packet on `pid` whose payload ends with `head`, the beginning of a section that
// goes on in the next packet; a section with a broken CRC fills the space in front.
Bytes packetEndingWith(std::uint16_t pid, const Bytes& head) {
    Bytes payload{0x00};
    test::append(payload, brokenCrc(test::section(0x02, Bytes(176 - head.size(), 0x11))));
    test::append(payload, head);
    return test::packet(pid, true, payload);
}

// The PMT starts in the last `headBytes` bytes of a packet and goes on in the following ones.
Bytes pmtStartingAtPacketEnd(std::size_t headBytes) {
    const Bytes pmt = longPmt();
    Bytes stream;
    test::append(stream, wholeSection(0, test::patSection({{1, kPmtPid}})));
    test::append(stream,
                 packetEndingWith(kPmtPid, Bytes(pmt.begin(), pmt.begin() + static_cast<std::ptrdiff_t>(headBytes))));
    for (std::size_t at = headBytes; at < pmt.size(); at += 184) {
        const auto end = pmt.begin() + static_cast<std::ptrdiff_t>(std::min(at + 184, pmt.size()));
        test::append(stream, test::packet(kPmtPid, false, Bytes(pmt.begin() + static_cast<std::ptrdiff_t>(at), end)));
    }
    return stream;
}

Bytes pmtOverThreePackets() {
    Bytes stream;
    test::append(stream, wholeSection(0, test::patSection({{1, kPmtPid}})));
    test::append(stream, wholeSection(kPmtPid, longPmt()));
    return stream;
}

TEST(DiscoverPcrPid, FindsThePcrPidThroughPatAndPmt) {
    struct Case {
        const char* name;
        Bytes stream;
        bool found;
        std::uint32_t pcrPid;
    };
    const Bytes pat = test::patSection({{0, 0x0010}, {1, kPmtPid}, {2, kPmtPid}, {3, 0x0300}});
    const Bytes pmt = test::pmtSection(kPcrPid);
    Bytes simple;
    test::append(simple, test::payloadPacket(0x200, 1));
    test::append(simple, wholeSection(0, pat));
    test::append(simple, test::payloadPacket(kPmtPid, 2));  // a continuation with nothing begun
    test::append(simple, wholeSection(kPmtPid, pmt));

    Bytes brokenFirstPat;
    test::append(brokenFirstPat, wholeSection(0, brokenCrc(test::patSection({{1, 0x0555}}))));
    test::append(brokenFirstPat, wholeSection(0x0555, pmt));
    test::append(brokenFirstPat, wholeSection(0, pat));
    test::append(brokenFirstPat, wholeSection(kPmtPid, brokenCrc(test::pmtSection(0x0123))));
    test::append(brokenFirstPat, wholeSection(kPmtPid, pmt));

    Bytes pmtBeforePat;
    test::append(pmtBeforePat, wholeSection(kPmtPid, pmt));
    test::append(pmtBeforePat, wholeSection(0, pat));

    Bytes onlyNetwork;
    test::append(onlyNetwork, wholeSection(0, test::patSection({{0, 0x0010}})));

    Bytes noPat;
    for (int i = 0; i < 50; ++i) test::append(noPat, test::payloadPacket(0x0000, static_cast<std::uint32_t>(i)));

    // pointer_field 5 completes the section begun in the previous packet before the next starts.
    const Bytes pmtOf0123 = test::pmtSection(0x0123);
    Bytes pointerField;
    test::append(pointerField, wholeSection(0, pat));
    test::append(pointerField, packetEndingWith(kPmtPid, Bytes(pmtOf0123.begin(), pmtOf0123.end() - 5)));
    Bytes secondPart{0x05};
    secondPart.insert(secondPart.end(), pmtOf0123.end() - 5, pmtOf0123.end());
    test::append(secondPart, test::pmtSection(0x0777));
    test::append(pointerField, test::packet(kPmtPid, true, secondPart));

    // Stuffing where a second section could start ends the packet's walk.
    Bytes stuffing;
    test::append(stuffing, wholeSection(0, pat));
    Bytes stuffed{0x00};
    const Bytes broken = brokenCrc(pmt);
    stuffed.insert(stuffed.end(), broken.begin(), broken.end());
    stuffed.push_back(0xFF);
    stuffed.insert(stuffed.end(), pmt.begin(), pmt.end());
    test::append(stuffing, test::packet(kPmtPid, true, stuffed));
    test::append(stuffing, wholeSection(kPmtPid, test::pmtSection(0x0777)));

    // A section that declares more than 4096 bytes is dropped; its continuations are ignored.
    Bytes oversized;
    test::append(oversized, wholeSection(0, pat));
    test::append(oversized, test::packet(kPmtPid, true, {0x00, 0x02, 0xBF, 0xFF}));
    for (int i = 0; i < 30; ++i) test::append(oversized, test::packet(kPmtPid, false, Bytes(184, 0x55)));
    test::append(oversized, wholeSection(kPmtPid, pmt));

    // Adaptation fields in front of the payload.
    Bytes adaptation;
    Bytes patPacket = test::packet(0, true, Bytes{});
    patPacket[3] = 0x30;
    patPacket[4] = 10;
    for (int i = 5; i < 15; ++i) patPacket[static_cast<std::size_t>(i)] = 0xFF;
    patPacket[15] = 0x00;
    std::copy(pat.begin(), pat.end(), patPacket.begin() + 16);
    test::append(adaptation, patPacket);
    test::append(adaptation, wholeSection(kPmtPid, pmt));

    const std::vector<Case> cases{
        {"FirstOccurrence", simple, true, kPcrPid},
        {"BrokenCrcSkipped", brokenFirstPat, true, kPcrPid},
        {"PmtBeforePatNotFound", pmtBeforePat, false, 0},
        {"OnlyNetworkPid", onlyNetwork, false, 0},
        {"NoValidPat", noPat, false, 0},
        {"PointerFieldCompletesPending", pointerField, true, 0x0123},
        {"StuffingEndsPacket", stuffing, true, 0x0777},
        {"OversizedSectionDropped", oversized, true, kPcrPid},
        {"AdaptationField", adaptation, true, kPcrPid},
        {"PmtOverThreePackets", pmtOverThreePackets(), true, kPcrPid},
        {"LengthSplitOverPackets", pmtStartingAtPacketEnd(2), true, kPcrPid},
        {"TableIdAloneAtPacketEnd", pmtStartingAtPacketEnd(1), true, kPcrPid},
        {"WholeHeaderAtPacketEnd", pmtStartingAtPacketEnd(3), true, kPcrPid},
    };
    for (const Case& c : cases) {
        const Outcome got = discover(c.stream);
        EXPECT_EQ(got.found, c.found) << c.name;
        if (c.found) {
            EXPECT_EQ(got.pcrPid, c.pcrPid) << c.name;
        }
    }
}

TEST(DiscoverPcrPid, ReadsTheTsPacketBehindA192ByteHeader) {
    Bytes stream;
    for (const auto& p : wholeSection(0, test::patSection({{1, kPmtPid}})))
        test::append(stream, test::withHeader(0, p));
    for (const auto& p : wholeSection(kPmtPid, test::pmtSection(kPcrPid))) test::append(stream, test::withHeader(0, p));
    const Outcome got = discover(stream, 192);
    EXPECT_TRUE(got.found);
    EXPECT_EQ(got.pcrPid, kPcrPid);
}

TEST(ParsePat, StoresEachPmtPidOnceAndNoMoreThanTheListHolds) {
    std::vector<std::pair<std::uint16_t, std::uint16_t>> programs{{0, 0x10}, {1, 0x100}, {2, 0x100}};
    PsiInfo info;
    EXPECT_EQ(parsePat(test::patSection(programs), info.pmtPids), 1);
    EXPECT_EQ(info.pmtPids[0], 0x100u);

    programs.clear();
    for (std::uint16_t i = 1; i <= 253; ++i) programs.emplace_back(i, static_cast<std::uint16_t>(0x100 + i));
    PsiInfo full;
    EXPECT_EQ(parsePat(test::patSection(programs), full.pmtPids), kMaxPmtPids);
    EXPECT_EQ(full.pmtPids[251], 0x100u + 252);
}

TEST(SectionCrc32, ValidSectionGivesZero) {
    const Bytes pat = test::patSection({{1, 0x100}});
    EXPECT_EQ(sectionCrc32(pat), 0u);
    // The standard check value of this CRC variant over "123456789".
    const Bytes digits{'1', '2', '3', '4', '5', '6', '7', '8', '9'};
    EXPECT_EQ(sectionCrc32(digits), 0x0376E6E7u);
}

}  // namespace
}  // namespace korvet
