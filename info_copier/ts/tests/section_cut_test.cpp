// Sections cut short: every parser reads what lies past the cut as zeros, so a section that
// ends early at any byte gives the record of the same bytes followed by a zeroed buffer.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "parse_support.h"
#include "ts/section_filters.h"

namespace {

using namespace ts_streams;
using ts_test::Bytes;
using ts_test::ParseBench;

using Parse = std::function<void(const ts::SectionView&, ParseBench&)>;

const Bytes kTitle = {0x30, 0x21, 0x30, 0x22, 0x30, 0x23};

TEST(SectionCut, EveryParserReadsPastTheCutAsZeros) {
    const Bytes transmission = networkIdentificationDescriptor(0x4353, 1);
    const Bytes formA = concat({rawDescriptor(0xB2, {7, 1, 0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 3, 1, 0x47, 0x48}),
                                rawDescriptor(0x83, Bytes(10, 0x31)),
                                partialTsTimeDescriptor(60340, {0x12, 0x34, 0x56}, {0x01, 0x02, 0x03})});
    const Bytes events = concat({shortEventDescriptor(kTitle, kTitle),
                                 extendedEventDescriptor(0, 0, {{kTitle, kTitle}}, kTitle), contentDescriptor({0x12})});
    struct Case {
        const char* table;
        Bytes section;
        Parse parse;
    };
    const Case cases[] = {
        {"EIT", ts_test::presentEit(0x0400, events),
         [](const ts::SectionView& s, ParseBench& b) { ts::parseEventSection(s, b.info, *b.assembly); }},
        {"SDT", sdtSection(0x42, 1, 1, {{0x0400, serviceDescriptor(1, kTitle, kTitle)}}),
         [](const ts::SectionView& s, ParseBench& b) { ts::parseServiceName(0x0400, s, b.info); }},
        {"SIT form A", sitSection(transmission, {{0x0401, formA}}),
         [](const ts::SectionView& s, ParseBench& b) { ts::parseSelectionSection(s, b.info, *b.assembly); }},
        {"SIT form B", sitSection({}, {{0x0401, concat({serviceDescriptor(1, {}, kTitle), events})}}),
         [](const ts::SectionView& s, ParseBench& b) { ts::parseSelectionSection(s, b.info, *b.assembly); }},
    };
    for (const Case& c : cases) {
        for (std::size_t cut = 0; cut <= c.section.size(); ++cut) {
            ParseBench ended;  // the view ends at the cut
            c.parse(ts::SectionView(c.section.data(), cut), ended);
            ParseBench zeroed;  // the cut section at the start of a zeroed buffer
            c.parse(zeroed.load(Bytes(c.section.begin(), c.section.begin() + static_cast<std::ptrdiff_t>(cut))),
                    zeroed);
            EXPECT_EQ(std::memcmp(&ended.info, &zeroed.info, sizeof ended.info), 0) << c.table << " cut at " << cut;
            EXPECT_EQ(ended.assembled(), zeroed.assembled()) << c.table << " cut at " << cut;
        }
    }
}

TEST(SectionCut, LengthsAreTrustedAndTheMissingBytesAreZeros) {
    // The EIT's short event descriptor: title_length at offset 31, the title from 32.
    const Bytes eit = ts_test::presentEit(0x0400, shortEventDescriptor(kTitle, {}));
    struct Case {
        std::size_t cut;
        int titleLength;
        Bytes title;
    };
    const Case cases[] = {
        {31, 0, {}},
        {32, 6, {0, 0, 0, 0, 0, 0}},
        {35, 6, {0x30, 0x21, 0x30, 0, 0, 0}},
        {eit.size(), 6, kTitle},
    };
    for (const Case& c : cases) {
        ParseBench bench;
        ts::parseEventSection(ts::SectionView(eit.data(), c.cut), bench.info, *bench.assembly);
        EXPECT_EQ(bench.info.titleLength, c.titleLength) << c.cut;
        EXPECT_EQ(Bytes(bench.info.title, bench.info.title + bench.info.titleLength), c.title) << c.cut;
    }

    // The scans' PAT test: program_number 0x0432 is bytes 12 and 13; cut between them, the
    // missing low byte reads as zero.
    const Bytes pat = patSection(1, {{0, 0x0010}, {0x0432, 0x01F0}});
    for (std::size_t cut = 0; cut <= pat.size(); ++cut) {
        const int expected = cut >= 14 ? 0x0432 : cut == 13 ? 0x0400 : 0;
        EXPECT_EQ(ts::firstProgramNumber(ts::SectionView(pat.data(), cut)), expected) << cut;
    }
}

}  // namespace
