// Runs the built tolvane program from TS files into RPLS files and reads the result back.
#include <gtest/gtest.h>

#include "parse_support.h"
#include "rpls/read_rpls_info.h"
#include "rpls/rpls_fixture.h"
#include "sample_stream.h"
#include "test_support/run_program.h"

namespace {

using ts_test::Bytes;

class TolvaneFromTs : public testing::Test {
protected:
    void SetUp() override {
        fixture::RplsFields fields;
        fields.layout = fixture::BlockLayout::Layout0108;
        fields.title = Bytes(30, 0x21);
        destination_ = ts_test::writeTempFile(fixture::buildRpls(fields));
    }

    rpls::ProgramInfo readDestination() const {
        Bytes image;
        EXPECT_TRUE(fixture::readFile(destination_, image));
        rpls::ProgramInfo info{};
        rpls::fillFromRplsImage(rpls::ConstByteView(image.data(), image.size()), info);
        return info;
    }

    static testing_support::RunResult tolvane(const std::vector<std::string>& args) {
        return testing_support::runProgram(TOLVANE_BINARY, args);
    }

    std::string destination_;
};

TEST_F(TolvaneFromTs, CopiesEveryFieldGroupOfTheSampleRecording) {
    const ts_streams::SampleProgramme sample = ts_streams::sampleProgramme();
    for (const int packetSize : {188, 192}) {
        const std::string source = ts_test::writeTempFile(ts_streams::buildSampleStream(packetSize));
        const testing_support::RunResult run = tolvane({"-dtpcnbieg", source, destination_});
        EXPECT_EQ(run.status, 0) << packetSize;
        EXPECT_EQ(run.output, "コピーしました.\n");
        const rpls::ProgramInfo info = readDestination();
        EXPECT_EQ(Bytes(info.date, info.date + 4), (Bytes{0x20, 0x24, 0x01, 0x31}));
        EXPECT_EQ(Bytes(info.startTime, info.startTime + 3), (Bytes{0x20, 0x00, 0x00}));
        EXPECT_EQ(Bytes(info.duration, info.duration + 3), (Bytes{0x00, 0x45, 0x00}));
        EXPECT_EQ(info.channelNumber[0] << 8 | info.channelNumber[1], 11);
        EXPECT_EQ(Bytes(info.channelName, info.channelName + info.channelNameLength), sample.channelName);
        EXPECT_EQ(Bytes(info.title, info.title + info.titleLength), sample.title);
        EXPECT_EQ(Bytes(info.text, info.text + info.textLength), sample.text);
        EXPECT_EQ(info.genres[0].present, 1);
        EXPECT_EQ(info.genres[0].value, 0x80);
        EXPECT_EQ(info.genres[1].value, 0xA2);
        EXPECT_EQ(info.genres[2].present, 0);
        const std::u16string joined =
            u"出演者\r\n司会：山田太郎、佐藤花子\r\n\r\n番組内容\r\n北斎の代表作「富嶽三十六景」を、最新の研究とともに"
            u"読み解きます。";
        EXPECT_EQ(Bytes(info.extText, info.extText + info.extTextLength), ts_test::encodedText(joined));
        EXPECT_GT(info.extTextLength, 60);
    }
}

TEST(SampleRecording, TheBundledFileIsWhatTheBuilderWrites) {
    Bytes bundled;
    ASSERT_TRUE(fixture::readFile(SAMPLE_TS, bundled));
    EXPECT_EQ(bundled, ts_streams::buildSampleStream(188)) << "run tools/ts_streams/regenerate_sample.sh";
}

TEST_F(TolvaneFromTs, ReportsAStreamWithoutProgrammeInformation) {
    ts_streams::TsStreamBuilder builder(188);
    builder.addSection(0, ts_test::patFor(0x0400));
    builder.addFillerPackets(20);
    const std::string source = ts_test::writeTempFile(builder.bytes());
    Bytes before;
    ASSERT_TRUE(fixture::readFile(destination_, before));
    const testing_support::RunResult run = tolvane({"-dt", source, destination_});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output, "コピー元ファイル " + source + " から有効な番組情報を検出できませんでした.\n");
    Bytes after;
    ASSERT_TRUE(fixture::readFile(destination_, after));
    EXPECT_EQ(after, before);
}

TEST_F(TolvaneFromTs, ReadsFromTheChosenPercentage) {
    // A stream whose only EIT lies in its first tenth: found from 0 %, not from the default 50 %.
    ts_streams::TsStreamBuilder builder(188);
    builder.addSection(0, ts_test::patFor(0x0400));
    builder.addSection(0x12, ts_test::presentEit(0x0400, ts_streams::shortEventDescriptor(Bytes(4, 0x31), {})));
    builder.addFillerPackets(40);
    const std::string source = ts_test::writeTempFile(builder.bytes());
    EXPECT_EQ(tolvane({"-b", source, destination_}).status, 1);
    EXPECT_EQ(tolvane({"-b", "-f", "0", source, destination_}).status, 0);
    EXPECT_EQ(readDestination().titleLength, 4);
}

}  // namespace
