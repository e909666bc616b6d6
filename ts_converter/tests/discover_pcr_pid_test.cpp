#include "psi/discover_pcr_pid.h"

#include "psi/crc32.h"
#include "psi/pat.h"
#include "test_files.h"
#include "ts_packets.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

namespace korvet {
namespace {

using namespace ts_streams;

using test::Bytes;

constexpr std::uint16_t kPmtPid = 0x0100;
constexpr std::uint16_t kPcrPid = 0x01FF;

std::vector<Bytes> wholeSection(std::uint16_t pid, const Bytes& section) { return sectionPackets(pid, section); }

// A PMT that names `pcrPid` and lists no streams.
Bytes pmtNaming(std::uint16_t pcrPid, const Bytes& programInfo = {}) {
    PmtFields fields;
    fields.pcrPid = pcrPid;
    fields.programInfo = programInfo;
    return pmtSection(fields);
}

Bytes brokenCrc(Bytes section) {
    if (!section.empty()) section.back() ^= 0x01;
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
    Bytes programInfo;
    for (int i = 0; i < 0x17F; ++i) programInfo.push_back(static_cast<std::uint8_t>(i));
    return pmtNaming(kPcrPid, programInfo);
}

// A unit-start packet on `pid` whose payload ends with `head`, the beginning of a section that
// goes on in the next packet; a section with a broken CRC fills the space in front.
Bytes packetEndingWith(std::uint16_t pid, const Bytes& head) {
    Bytes payload{0x00};
    append(payload, brokenCrc(rawSection(0x02, Bytes(176 - head.size(), 0x11))));
    append(payload, head);
    return tsPacket(pid, true, payload);
}

// The PMT starts in the last `headBytes` bytes of a packet and goes on in the following ones.
Bytes pmtStartingAtPacketEnd(std::size_t headBytes) {
    const Bytes pmt = longPmt();
    Bytes stream;
    append(stream, wholeSection(0, patSection(1, {{1, kPmtPid}})));
    append(stream, packetEndingWith(kPmtPid, Bytes(pmt.begin(), pmt.begin() + static_cast<std::ptrdiff_t>(headBytes))));
    for (std::size_t at = headBytes; at < pmt.size(); at += 184) {
        const auto end = pmt.begin() + static_cast<std::ptrdiff_t>(std::min(at + 184, pmt.size()));
        append(stream, tsPacket(kPmtPid, false, Bytes(pmt.begin() + static_cast<std::ptrdiff_t>(at), end)));
    }
    return stream;
}

Bytes pmtOverThreePackets() {
    Bytes stream;
    append(stream, wholeSection(0, patSection(1, {{1, kPmtPid}})));
    append(stream, wholeSection(kPmtPid, longPmt()));
    return stream;
}

TEST(DiscoverPcrPid, FindsThePcrPidThroughPatAndPmt) {
    struct Case {
        const char* name;
        Bytes stream;
        bool found;
        std::uint32_t pcrPid;
    };
    const Bytes pat = patSection(1, {{0, 0x0010}, {1, kPmtPid}, {2, kPmtPid}, {3, 0x0300}});
    const Bytes pmt = pmtNaming(kPcrPid);
    Bytes simple;
    append(simple, payloadPacket(0x200, 1));
    append(simple, wholeSection(0, pat));
    append(simple, payloadPacket(kPmtPid, 2));  // a continuation with nothing begun
    append(simple, wholeSection(kPmtPid, pmt));

    Bytes brokenFirstPat;
    append(brokenFirstPat, wholeSection(0, brokenCrc(patSection(1, {{1, 0x0555}}))));
    append(brokenFirstPat, wholeSection(0x0555, pmt));
    append(brokenFirstPat, wholeSection(0, pat));
    append(brokenFirstPat, wholeSection(kPmtPid, brokenCrc(pmtNaming(0x0123))));
    append(brokenFirstPat, wholeSection(kPmtPid, pmt));

    Bytes pmtBeforePat;
    append(pmtBeforePat, wholeSection(kPmtPid, pmt));
    append(pmtBeforePat, wholeSection(0, pat));

    Bytes onlyNetwork;
    append(onlyNetwork, wholeSection(0, patSection(1, {{0, 0x0010}})));

    Bytes noPat;
    for (int i = 0; i < 50; ++i) append(noPat, payloadPacket(0x0000, static_cast<std::uint32_t>(i)));

    // pointer_field 5 completes the section begun in the previous packet before the next starts.
    const Bytes pmtOf0123 = pmtNaming(0x0123);
    Bytes pointerField;
    append(pointerField, wholeSection(0, pat));
    append(pointerField, packetEndingWith(kPmtPid, Bytes(pmtOf0123.begin(), pmtOf0123.end() - 5)));
    const Bytes pointer{0x05};
    const Bytes restOf0123(pmtOf0123.end() - 5, pmtOf0123.end());
    Bytes secondPart = joined({pointer, restOf0123, pmtNaming(0x0777)});
    append(pointerField, tsPacket(kPmtPid, true, secondPart));

    // Stuffing where a second section could start ends the packet's walk.
    Bytes stuffing;
    append(stuffing, wholeSection(0, pat));
    const Bytes pointer0{0x00};
    const Bytes stuffingByte{0xFF};
    Bytes stuffed = joined({pointer0, brokenCrc(pmt), stuffingByte, pmt});
    append(stuffing, tsPacket(kPmtPid, true, stuffed));
    append(stuffing, wholeSection(kPmtPid, pmtNaming(0x0777)));

    // A section that declares more than 4096 bytes is dropped; its continuations are ignored.
    Bytes oversized;
    append(oversized, wholeSection(0, pat));
    append(oversized, tsPacket(kPmtPid, true, {0x00, 0x02, 0xBF, 0xFF}));
    for (int i = 0; i < 30; ++i) append(oversized, tsPacket(kPmtPid, false, Bytes(184, 0x55)));
    append(oversized, wholeSection(kPmtPid, pmt));

    // Adaptation fields in front of the payload.
    Bytes adaptation;
    Bytes adaptationField(10, 0xFF);  // no flags, 9 stuffing bytes
    adaptationField[0] = 0x00;
    const Bytes patPacket = tsPacketWithAdaptation(0, true, adaptationField, concat({{0x00}, pat}));
    append(adaptation, patPacket);
    append(adaptation, wholeSection(kPmtPid, pmt));

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
    for (const auto& p : wholeSection(0, patSection(1, {{1, kPmtPid}}))) append(stream, withHeader(0, p));
    for (const auto& p : wholeSection(kPmtPid, pmtNaming(kPcrPid))) append(stream, withHeader(0, p));
    const Outcome got = discover(stream, 192);
    EXPECT_TRUE(got.found);
    EXPECT_EQ(got.pcrPid, kPcrPid);
}

TEST(ParsePat, StoresEachPmtPidOnceAndNoMoreThanTheListHolds) {
    std::vector<PatEntry> programs{{0, 0x10}, {1, 0x100}, {2, 0x100}};
    PsiInfo info;
    EXPECT_EQ(parsePat(patSection(1, programs), info.pmtPids), 1);
    EXPECT_EQ(info.pmtPids[0], 0x100u);

    programs.clear();
    for (std::uint16_t i = 1; i <= 253; ++i) programs.push_back({i, static_cast<std::uint16_t>(0x100 + i)});
    PsiInfo full;
    EXPECT_EQ(parsePat(patSection(1, programs), full.pmtPids), 252);
    EXPECT_EQ(full.pmtPids[251], 0x100u + 252);
}

TEST(SectionCrc32, ValidSectionGivesZero) {
    const Bytes pat = patSection(1, {{1, 0x100}});
    EXPECT_EQ(sectionCrc32(pat), 0u);
    // The standard check value of this CRC variant over "123456789".
    const Bytes digits{'1', '2', '3', '4', '5', '6', '7', '8', '9'};
    EXPECT_EQ(sectionCrc32(digits), 0x0376E6E7u);
}

}  // namespace
}  // namespace korvet
