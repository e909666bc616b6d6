// KORVET --check as a program: the figures of built streams, exit statuses, and conversions
// that check without changing a byte of their output.
#include "run_program.h"
#include "test_files.h"
#include "ts_packets.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <string>
#include <vector>

namespace korvet {
namespace {

using namespace ts_streams;

std::string quoted(const std::string& path) { return '"' + path + '"'; }

// A path as a JSON string holds it: Windows paths have backslashes, which JSON escapes.
std::string jsonPath(const std::string& path) {
    std::string escaped;
    for (const char c : path) {
        if (c == '\\') escaped += '\\';
        escaped += c;
    }
    return escaped;
}

std::string afterProgress(const std::string& output) {
    const auto cut = output.rfind('\r');
    return cut == std::string::npos ? output : output.substr(cut + 1);
}

// 188-byte packets with one drop on 0x0100, a transport error on 0x0101, a scrambled packet on
// 0x0102, 100 bytes of garbage and a 50-byte tail; with `header`, as 192-byte packets.
Bytes damagedStream(bool header) {
    std::vector<Bytes> packets{tsPacket(0x0100, false, {}, 0), tsPacket(0x0100, false, {}, 1),
                               tsPacket(0x0101, false, {}, 0), tsPacket(0x0102, false, {}, 0),
                               tsPacket(0x0100, false, {}, 3), tsPacket(0x1FFF, false, {}, 0)};
    packets[2][1] |= 0x80;  // transport_error_indicator
    packets[3][3] |= 0x80;  // transport_scrambling_control 10
    Bytes stream;
    for (std::size_t i = 0; i < packets.size(); ++i) {
        if (i == 3) append(stream, Bytes(100, 0x00));
        if (header)
            append(stream, withHeader(0x00001000 + static_cast<std::uint32_t>(i), packets[i]));
        else
            append(stream, packets[i]);
    }
    append(stream, Bytes(50, 0x47));
    return stream;
}

TEST(KorvetCheck, ReportsTheFiguresOfEachPid) {
    for (const bool header : {false, true}) {
        const std::string input = test::tempPath(header ? "damaged.m2ts" : "damaged.ts");
        test::writeFile(input, damagedStream(header));
        const test::ProgramRun run = test::runKorvet("--check " + quoted(input));
        EXPECT_EQ(run.status, 2) << header;
        EXPECT_EQ(afterProgress(run.output),
                  "PID            packets      drops     errors  scrambled\n"
                  "0x0100               3          1          0          0\n"
                  "0x0101               1          0          1          0\n"
                  "0x0102               1          0          0          1\n"
                  "0x1FFF               1          0          0          0\n"
                  "total                6          1          1          1\n"
                  "removed bytes 150\n"
                  "packet size " +
                      std::string(header ? "192" : "188") + "\n")
            << header;

        const test::ProgramRun json = test::runKorvet("--check --json -d " + quoted(input));
        EXPECT_EQ(json.status, 2);
        EXPECT_EQ(json.output, "{\"input\": \"" + jsonPath(input) + "\", \"packetSize\": " + (header ? "192" : "188") +
                                   ", \"packets\": 6, \"drops\": 1, \"errors\": 1, \"scrambled\": 1, "
                                   "\"removedBytes\": 150, \"pids\": ["
                                   "{\"pid\": 256, \"packets\": 3, \"drops\": 1, \"errors\": 0, \"scrambled\": 0}, "
                                   "{\"pid\": 257, \"packets\": 1, \"drops\": 0, \"errors\": 1, \"scrambled\": 0}, "
                                   "{\"pid\": 258, \"packets\": 1, \"drops\": 0, \"errors\": 0, \"scrambled\": 1}, "
                                   "{\"pid\": 8191, \"packets\": 1, \"drops\": 0, \"errors\": 0, \"scrambled\": 0}], "
                                   "\"complete\": true}\n");
    }
}

// Behind a damaged start longer than the first batch (256 KiB with -x), the packet size is
// found further in, also where the first packet straddles two batches; what lies before it is
// removed bytes, not a packet fewer.
TEST(KorvetCheck, FindsPacketsBehindADamagedStartOfAnyLength) {
    constexpr std::size_t kBatch = 4 * 65536;
    for (const bool header : {false, true}) {
        for (const std::size_t garbage :
             {kBatch - 389, kBatch - 388, kBatch - 300, kBatch - 4, kBatch, 3 * kBatch + 7}) {
            Bytes stream(garbage, 0x00);
            for (std::uint8_t counter = 0; counter < 10; ++counter) {
                const Bytes packet = tsPacket(0x0100, false, {}, counter);
                append(stream, header ? withHeader(counter, packet) : packet);
            }
            const std::string input = test::tempPath("late.ts");
            test::writeFile(input, stream);
            const test::ProgramRun run = test::runKorvet("--check --json -x -d " + quoted(input));
            EXPECT_EQ(run.status, 2) << header << " " << garbage;
            EXPECT_NE(run.output.find("\"packetSize\": " + std::string(header ? "192" : "188") +
                                      ", \"packets\": 10, \"drops\": 0, \"errors\": 0, \"scrambled\": 0, "
                                      "\"removedBytes\": " +
                                      std::to_string(garbage) + ","),
                      std::string::npos)
                << header << " " << garbage << ": " << run.output;
        }
    }
}

TEST(KorvetCheck, StatusOfCleanAndUnreadableInputs) {
    const std::string sample = test::tempPath("sample.ts");
    test::writeFile(sample, test::readFile(KORVET_SAMPLE_TS));
    const test::ProgramRun clean = test::runKorvet("--check -d " + quoted(sample));
    EXPECT_EQ(clean.status, 0);
    EXPECT_NE(clean.output.find("total             3982          0          0          0\nremoved bytes 0\n"),
              std::string::npos)
        << clean.output;

    const std::string empty = test::tempPath("empty.ts");
    test::writeFile(empty, {});
    const std::string garbage = test::tempPath("garbage.ts");
    Bytes noise(60000);
    for (std::size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<std::uint8_t>(i * 7 % 71);  // no 0x47
    test::writeFile(garbage, noise);
    struct Refusal {
        std::string name;
        const char* message;
    };
    const std::vector<Refusal> refusals{
        {test::tempPath("missing.ts"), "読み込みファイルを開くのに失敗しました.\n"},
        {empty, "データ読み込み中にエラーが発生しました.(データ範囲外の読み込み)\n"},
        {garbage,
         "入力の60000バイトのどこにも188バイトまたは192バイトのパケットが見つかりませんでした.検査できません.\n"},
    };
    for (const Refusal& r : refusals) {
        const test::ProgramRun run = test::runKorvet("--check " + quoted(r.name));
        EXPECT_EQ(run.status, 1) << r.name;
        EXPECT_EQ(run.output, r.message) << r.name;
    }
}

// Every conversion writes the same bytes with --check, ends with status 0 after a complete
// conversion whatever it counted, and prints the table after its report.
TEST(KorvetCheck, ConversionsWriteTheSameBytesWithIt) {
    const std::string ts = test::tempPath("in.ts");
    test::writeFile(ts, test::readFile(KORVET_SAMPLE_TS));
    const std::string bd = test::tempPath("in.m2ts");
    const std::string fw = test::tempPath("in.fw192");
    ASSERT_EQ(test::runKorvet("-b " + quoted(ts) + " " + quoted(bd)).status, 0);
    ASSERT_EQ(test::runKorvet("-f " + quoted(ts) + " " + quoted(fw)).status, 0);
    const std::string damaged = test::tempPath("damaged.m2ts");
    test::writeFile(damaged, damagedStream(true));
    struct Conversion {
        std::string switches;
        std::string input;
    };
    const std::vector<Conversion> conversions{{"-b", ts},    {"-f -x", ts}, {"-n", bd},
                                              {"-r -x", fw}, {"", bd},      {"-n", damaged}};
    static const std::regex seconds("\\([0-9]+ sec\\.\\)");
    for (const Conversion& c : conversions) {
        const std::string plain = test::tempPath("plain.out");
        const std::string checked = test::tempPath("checked.out");
        const test::ProgramRun without = test::runKorvet(c.switches + " " + quoted(c.input) + " " + quoted(plain));
        const test::ProgramRun with =
            test::runKorvet(c.switches + " --check " + quoted(c.input) + " " + quoted(checked));
        EXPECT_EQ(without.status, 0) << c.switches;
        EXPECT_EQ(with.status, 0) << c.switches;
        EXPECT_EQ(test::readFile(plain), test::readFile(checked)) << c.switches;
        const std::string report = std::regex_replace(without.output, seconds, "(# sec.)");
        const std::string checkedReport = std::regex_replace(with.output, seconds, "(# sec.)");
        ASSERT_EQ(checkedReport.substr(0, report.size()), report) << c.switches;
        EXPECT_EQ(checkedReport.substr(report.size(), 5), "PID  ") << c.switches;
        std::remove(plain.c_str());
        std::remove(checked.c_str());
    }
}

}  // namespace
}  // namespace korvet
