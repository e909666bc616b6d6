// Runs the built KORVET binary on the committed sample stream (made by FFmpeg) and on
// generated streams, checking bytes, messages and exit statuses.
#include "run_program.h"
#include "test_files.h"
#include "test_support/run_program.h"
#include "ts_packets.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <regex>
#include <string>
#include <vector>

namespace korvet {
namespace {

using namespace ts_streams;

using test::Bytes;

std::string quoted(const std::string& path) { return '"' + path + '"'; }

// BD192 arrival times count 27 MHz ticks modulo 2^30.
constexpr std::int64_t kArrivalTimeWrap = std::int64_t{1} << 30;

// The closing report of a complete run, with "#" for the elapsed seconds (see secondsHidden).
std::string closingReport(std::int64_t read, std::int64_t written) {
    return "ファイル終端まで正常に変換しました.(# sec.)\ntotal read  " + std::to_string(read) +
           " bytes.\ntotal write " + std::to_string(written) + " bytes.\n";
}

// `output` with the elapsed seconds of its closing report, which depend on how long the run
// took, replaced by "#".
std::string secondsHidden(const std::string& output) {
    static const std::regex seconds("正常に変換しました\\.\\([0-9]+ sec\\.\\)\n");
    return std::regex_replace(output, seconds, "正常に変換しました.(# sec.)\n");
}

// The text after the last progress line (the report), or everything when there is none.
std::string afterProgress(const std::string& output) {
    const auto cut = output.rfind('\r');
    return cut == std::string::npos ? output : output.substr(cut + 1);
}

struct Converted {
    test::ProgramRun run;
    Bytes output;
};

Converted convert(const std::string& switches, const std::string& input, const std::string& outputName) {
    const std::string output = test::tempPath(outputName);
    Converted c{test::runKorvet(switches + " " + quoted(input) + " " + quoted(output)), test::readFile(output)};
    std::remove(output.c_str());
    return c;
}

// KORVET reads its input without sharing (an exclusive lock), so tests that run at the same
// time each convert their own copy of the sample.
std::string sampleInput() {
    const std::string copy = test::tempPath("sample.ts");
    test::writeFile(copy, test::readFile(KORVET_SAMPLE_TS));
    return copy;
}

std::int64_t arrivalTime(const Bytes& file, std::size_t packet) { return bd192ArrivalTime(file.data() + packet * 192); }

TEST(KorvetRun, BannerOnlyWithoutArguments) {
    const test::ProgramRun none = test::runKorvet("");
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.output, "\nKORVET TS converter version 2.2 (32bit)\n");
    const test::ProgramRun one = test::runKorvet("only.ts");
    EXPECT_EQ(one.status, 1);
    EXPECT_EQ(one.output, "パラメータが足りません.\n");
}

// --help, -h and --version answer with status 0 only as the one argument.
TEST(KorvetRun, InformationSwitchesOnlyAsTheOneArgument) {
    for (const char* help : {"--help", "-h"}) {
        const test::ProgramRun run = test::runKorvet(help);
        EXPECT_EQ(run.status, 0) << help;
        EXPECT_NE(run.output.find("Usage"), std::string::npos) << help;
        EXPECT_NE(run.output.find("-t PID"), std::string::npos) << help;
    }
    const test::ProgramRun version = test::runKorvet("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.output, "KORVET TS converter version 2.2 (32bit)\n");
    for (const char* args : {"--help in.ts", "-h in.ts out.ts", "--verbose"}) {
        const test::ProgramRun run = test::runKorvet(args);
        EXPECT_EQ(run.status, 1) << args;
        EXPECT_EQ(run.output, "無効なスイッチが指定されました.\n") << args;
    }
}

TEST(KorvetRun, SampleToBd192StampsFromItsPcr) {
    const std::string sample = sampleInput();
    const Bytes input = test::readFile(sample);
    ASSERT_EQ(input.size() % 188, 0u);
    const Converted bd = convert("-b", sample, "sample.m2ts");
    std::remove(sample.c_str());
    ASSERT_EQ(bd.run.status, 0) << bd.run.output;
    EXPECT_EQ(bd.run.output.rfind("188 -> BD192 変換を開始します.\nPCR_PID : 0x0111\n変換中(0%).\r", 0), 0u);
    EXPECT_NE(bd.run.output.find("変換中(100%).    \r"), std::string::npos);
    const std::size_t packets = input.size() / 188;
    EXPECT_EQ(secondsHidden(afterProgress(bd.run.output)),
              closingReport(static_cast<std::int64_t>(input.size()), static_cast<std::int64_t>(packets * 192)));
    ASSERT_EQ(bd.output.size(), packets * 192);

    std::int64_t firstPcr = -1;
    std::int64_t firstStamp = 0;
    int pcrPackets = 0;
    for (std::size_t i = 0; i < packets; ++i) {
        const std::uint8_t* ts = bd.output.data() + i * 192 + 4;
        ASSERT_TRUE(std::equal(ts, ts + 188, input.begin() + static_cast<std::ptrdiff_t>(i * 188)));
        if (i > 0) {
            ASSERT_GE(arrivalTime(bd.output, i), arrivalTime(bd.output, i - 1)) << i;
        }
        const std::optional<std::int64_t> pcr = packetPcr(ts, 0x0111);
        if (!pcr) continue;
        ++pcrPackets;
        if (firstPcr < 0) {
            firstPcr = *pcr;
            firstStamp = arrivalTime(bd.output, i);
            continue;
        }
        const std::int64_t pcrDelta = (*pcr - firstPcr) % kArrivalTimeWrap;
        const std::int64_t stampDelta = (arrivalTime(bd.output, i) - firstStamp + kArrivalTimeWrap) % kArrivalTimeWrap;
        ASSERT_EQ(stampDelta, pcrDelta) << "packet " << i;
    }
    EXPECT_GT(pcrPackets, 100);
}

TEST(KorvetRun, SampleSurvivesEveryRoundTrip) {
    const std::string sample = sampleInput();
    const Bytes input = test::readFile(sample);
    const Converted fw = convert("-f", sample, "sample.fw192");
    ASSERT_EQ(fw.run.status, 0) << fw.run.output;
    const std::string fwPath = test::tempPath("fw");
    test::writeFile(fwPath, fw.output);
    const Converted backFromFw = convert("-n", fwPath, "back.ts");
    EXPECT_EQ(backFromFw.output, input);

    const Converted bd = convert("-b -x", sample, "sample.m2ts");
    const Converted bdUnbuffered = convert("-b -v 3", sample, "sample2.m2ts");
    EXPECT_EQ(bd.output, bdUnbuffered.output);
    const std::string bdPath = test::tempPath("bd");
    test::writeFile(bdPath, bd.output);
    const Converted backFromBd = convert("-nx", bdPath, "back.ts");
    EXPECT_EQ(backFromBd.output, input);

    // BD192 -> FW192 -> BD192: payloads unchanged, times within the cycle offset's truncation.
    const Converted toFw = convert("", bdPath, "fw");
    ASSERT_EQ(toFw.run.status, 0) << toFw.run.output;
    EXPECT_EQ(toFw.run.output.rfind("BD192 -> FW192 変換を開始します.\n", 0), 0u);
    const std::string toFwPath = test::tempPath("tofw");
    test::writeFile(toFwPath, toFw.output);
    const Converted again = convert("-r", toFwPath, "bd");
    ASSERT_EQ(again.output.size(), bd.output.size());
    for (std::size_t i = 0; i < bd.output.size() / 192; ++i) {
        ASSERT_TRUE(std::equal(bd.output.begin() + static_cast<std::ptrdiff_t>(i * 192 + 4),
                               bd.output.begin() + static_cast<std::ptrdiff_t>(i * 192 + 192),
                               again.output.begin() + static_cast<std::ptrdiff_t>(i * 192 + 4)));
        const std::int64_t lost = arrivalTime(bd.output, i) - arrivalTime(again.output, i);
        ASSERT_GE(lost, 0) << i;
        ASSERT_LE(lost, 2) << i;
    }
    for (const std::string& path : {sample, fwPath, bdPath, toFwPath}) std::remove(path.c_str());
}

// Garbage in front, a broken PAT, a PMT over three packets, the first PCR on a later packet,
// garbage between packets and a PCR discontinuity. Every packet ends up 20,000 ticks after
// the one before.
Bytes generatedStream() {
    constexpr std::uint16_t kPcr = 0x01FF;
    PmtFields pmt;
    pmt.pcrPid = kPcr;
    pmt.programInfo = Bytes(0x17F, 0x09);
    Bytes pat = patSection(1, {{0, 0x10}, {7, 0x100}});
    Bytes broken = patSection(1, {{1, 0x1000}});
    broken[10] ^= 0x80;
    std::vector<Bytes> packets;
    for (const auto& p : sectionPackets(0, broken)) packets.push_back(p);
    for (const auto& p : sectionPackets(0, pat)) packets.push_back(p);
    for (const auto& p : sectionPackets(0x100, pmtSection(pmt))) packets.push_back(p);
    const auto payloadUntil = [&](std::size_t count) {
        while (packets.size() < count)
            packets.push_back(payloadPacket(0x200, static_cast<std::uint32_t>(packets.size())));
    };
    packets.push_back(pcrPacket(kPcr, 1'000'000));  // packet 5
    payloadUntil(10);
    packets.push_back(pcrPacket(kPcr, 1'100'000));  // 10
    payloadUntil(15);
    packets.push_back(pcrPacket(kPcr, 1'200'000));    // 15
    packets.push_back(pcrPacket(kPcr, 900'000'000));  // 16: jump
    payloadUntil(20);
    packets.push_back(pcrPacket(kPcr, 900'080'000));  // 20
    payloadUntil(23);
    Bytes stream(100, 0x00);
    for (std::size_t i = 0; i < packets.size(); ++i) {
        if (i == 13) append(stream, Bytes(50, 0x47));
        append(stream, packets[i]);
    }
    return stream;
}

TEST(KorvetRun, GeneratedStreamTraceAndTimes) {
    const Bytes stream = generatedStream();
    const std::string input = test::tempPath("gen.ts");
    test::writeFile(input, stream);
    const Converted bd = convert("-db", input, "gen.m2ts");
    EXPECT_EQ(bd.run.status, 0);
    EXPECT_EQ(secondsHidden(bd.run.output),
              "188 -> BD192 変換を開始します.\nPCR_PID : 0x01FF\n"
              "100バイトの不正なデータを削除しました.\nS*"
              "50バイトの不正なデータを削除しました.\n./*E\n" +
                  closingReport(static_cast<std::int64_t>(stream.size()), 23 * 192));
    ASSERT_EQ(bd.output.size(), 23u * 192);
    for (std::size_t i = 0; i < 23; ++i)
        EXPECT_EQ(arrivalTime(bd.output, i), static_cast<std::int64_t>(i) * 20'000) << i;

    // The same with FW192 headers: packet 3 at 60,000 ticks is 2625 ticks into cycle 17.
    const Converted fw = convert("-f -t 1ff", input, "gen.fw192");
    ASSERT_EQ(fw.run.status, 0);
    const std::uint8_t* third = fw.output.data() + 3 * 192;
    EXPECT_EQ(fw192Cycle(third), 17);
    EXPECT_EQ(fw192Offset(third), (2'625 * 3072) / 3375);
    std::remove(input.c_str());
}

TEST(KorvetRun, FailuresEndWithTheirMessageAndStatus1) {
    const std::string empty = test::tempPath("empty.ts");
    test::writeFile(empty, {});
    Bytes noPat;
    for (int i = 0; i < 20; ++i) append(noPat, payloadPacket(0x100, static_cast<std::uint32_t>(i)));
    const std::string noPatPath = test::tempPath("nopat.ts");
    test::writeFile(noPatPath, noPat);
    const std::string existing = test::tempPath("existing");
    test::writeFile(existing, {9, 9, 9});

    struct Case {
        std::string arguments;
        std::string expectedTail;
    };
    const std::string missingOut = test::tempPath("never");
    const std::string sample = sampleInput();
    const std::vector<Case> cases{
        {"-b " + quoted(empty) + " " + quoted(missingOut),
         "データ読み込み中にエラーが発生しました.(データ範囲外の読み込み)\n"},
        {quoted(empty + ".missing") + " " + quoted(missingOut), "読み込みファイルを開くのに失敗しました.\n"},
        {"-b " + quoted(noPatPath) + " " + quoted(missingOut),
         "PATパケットを検出できませんでした.\nTSファイルのパケットサイズ(188/192)を再確認して下さい.\n"},
        {"-f " + quoted(sample) + " " + quoted(existing), "保存先ファイルを作成するのに失敗しました.\n"},
        {"-v 99999999 " + quoted(sample) + " " + quoted(missingOut), "読み込みバッファメモリの確保に失敗しました.\n"},
    };
    for (const Case& c : cases) {
        const test::ProgramRun run = test::runKorvet(c.arguments);
        EXPECT_EQ(run.status, 1) << c.arguments;
        ASSERT_GE(run.output.size(), c.expectedTail.size()) << c.arguments;
        EXPECT_EQ(run.output.substr(run.output.size() - c.expectedTail.size()), c.expectedTail) << run.output;
        EXPECT_TRUE(test::readFile(missingOut).empty()) << c.arguments;
    }
    EXPECT_EQ(test::readFile(existing), (Bytes{9, 9, 9}));
    for (const std::string& path : {sample, empty, noPatPath, existing}) std::remove(path.c_str());
}

TEST(KorvetRun, WithoutThePcrTheConversionStopsAfter48000Packets) {
    Bytes stream;
    const Bytes filler = payloadPacket(0x100, 1);
    for (int i = 0; i < 48'100; ++i) append(stream, filler);
    const std::string input = test::tempPath("nopcr.ts");
    test::writeFile(input, stream);
    const Converted run = convert("-d -t 2000 -b", input, "nopcr.m2ts");
    EXPECT_EQ(run.run.status, 1);
    EXPECT_EQ(run.run.output,
              "188 -> BD192 変換を開始します.\nPCR_PID : 0x2000\n"
              "PCRパケットを検出できません.変換を中止します.\n"
              "PCR_PIDが間違っているか、途中でPCR_PIDが変わった可能性があります.\n");
    std::remove(input.c_str());
}

TEST(KorvetRun, HeaderDroppedForEveryWholePacket) {
    // 192-byte packets plus a 100-byte tail: the tail is counted as read and dropped.
    Bytes stream;
    for (std::uint32_t i = 0; i < 700; ++i) append(stream, withHeader(i * 1000, payloadPacket(0x30, i)));
    append(stream, Bytes(100, 0x47));
    const std::string input = test::tempPath("in.m2ts");
    test::writeFile(input, stream);
    for (const char* switches : {"-n", "-nx", "-n -v 2"}) {
        const Converted run = convert(switches, input, "out.ts");
        EXPECT_EQ(run.run.status, 0) << switches;
        EXPECT_EQ(secondsHidden(afterProgress(run.run.output)), closingReport(700 * 192 + 100, 700 * 188)) << switches;
        ASSERT_EQ(run.output.size(), 700u * 188) << switches;
        EXPECT_TRUE(std::equal(run.output.begin(), run.output.begin() + 188, stream.begin() + 4)) << switches;
    }
    std::remove(input.c_str());
}

TEST(KorvetRun, WriteFailingInTheBackgroundIsReportedOnce) {
    if (!testing_support::fileSizeLimitSupported()) GTEST_SKIP() << "no per-process file-size limit on this system";
    // 7.7 MB of BD192 against a file size limit of 4 MiB: the writes made in the background
    // fail; the failure is reported once, and nothing is written behind the gap.
    Bytes stream;
    for (std::uint32_t i = 0; i < 40'000; ++i) append(stream, withHeader(i * 300, payloadPacket(0x30, i)));
    const std::string input = test::tempPath("big.m2ts");
    test::writeFile(input, stream);
    const std::string output = test::tempPath("limited");
    for (const char* switches : {"", "-x", "-n", "-nx -v 16"}) {
        std::remove(output.c_str());
        const test::ProgramRun run = test::runKorvetWithFileSizeLimit(
            std::string(switches) + " " + quoted(input) + " " + quoted(output), 4 << 20);
        EXPECT_EQ(run.status, 1) << switches;
        const std::string tail = afterProgress(run.output);
        EXPECT_EQ(tail, "データ書き込み中にエラーが発生しました.\n") << switches << ": " << run.output;
        const Bytes written = test::readFile(output);
        EXPECT_LE(written.size(), 4u << 20) << switches;
        EXPECT_GT(written.size(), 0u) << switches;
    }
    std::remove(output.c_str());
    std::remove(input.c_str());
}

}  // namespace
}  // namespace korvet
