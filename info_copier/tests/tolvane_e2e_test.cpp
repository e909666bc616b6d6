// Runs the built tolvane program on fixture files and checks messages, exit statuses and
// the bytes of the destination.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/file.h"
#include "rpls/read_rpls_info.h"
#include "rpls/rpls_fixture.h"
#include "test_support/run_program.h"

namespace {

using testing_support::runProgram;
using testing_support::RunResult;

class TolvaneRun : public testing::Test {
protected:
    void SetUp() override {
        dir_ = testing_support::makeTempDir("tolvane_e2e");
        fixture::RplsFields news;
        news.layout = fixture::BlockLayout::Layout0108;
        news.title = {0x30, 0x21, 0x30, 0x22};
        news.text = std::vector<std::uint8_t>(100, 0x41);
        news.extText = std::vector<std::uint8_t>(50, 0x42);
        news.genres[0] = {true, 0x31};
        news.genres[1] = {true, 0x52};
        newsImage_ = fixture::buildRpls(news);
        fixture::RplsFields movie;
        movie.layout = fixture::BlockLayout::Layout0103;
        movie.date[1] = 0x19;
        movie.channelNumber = 7;
        movie.privateCode = 0x1234;
        movie.text = std::vector<std::uint8_t>(10, 0x43);
        movieBlock_ = movie.blockOffset;
        movieImage_ = fixture::buildRpls(movie);
    }

    std::string path(const char* name) const { return dir_ + "/" + name; }

    std::string write(const char* name, const std::vector<std::uint8_t>& bytes) const {
        const std::string p = path(name);
        EXPECT_TRUE(fixture::writeFile(p, bytes));
        return p;
    }

    static std::vector<std::uint8_t> read(const std::string& p) {
        std::vector<std::uint8_t> bytes;
        EXPECT_TRUE(fixture::readFile(p, bytes));
        return bytes;
    }

    RunResult tolvane(const std::vector<std::string>& args, std::int64_t fileSizeLimit = 0) const {
        return runProgram(TOLVANE_BINARY, args, fileSizeLimit);
    }

    std::string dir_;
    std::vector<std::uint8_t> newsImage_;
    std::vector<std::uint8_t> movieImage_;
    std::uint32_t movieBlock_ = 0;
};

TEST_F(TolvaneRun, NoArgumentsPrintsTheBannerAndFails) {
    const RunResult r = tolvane({});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.output, "\ntolvane version 2.8 (32bit)\n");
}

// --help, -h and --version answer with status 0 only as the one argument; elsewhere the
// command line means what it always meant.
TEST_F(TolvaneRun, InformationSwitchesOnlyAsTheOneArgument) {
    for (const char* help : {"--help", "-h"}) {
        const RunResult r = tolvane({help});
        EXPECT_EQ(r.status, 0) << help;
        EXPECT_NE(r.output.find("Usage"), std::string::npos) << help;
        EXPECT_NE(r.output.find("-G N"), std::string::npos) << help;
    }
    const RunResult version = tolvane({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.output, "tolvane version 2.8 (32bit)\n");
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--help", "x.rpls"}, {"-dh", "a", "b"}, {"--verbose"}}) {
        const RunResult r = tolvane(args);
        EXPECT_EQ(r.status, 1) << args[0];
        EXPECT_EQ(r.output, "無効なスイッチが指定されました.\n") << args[0];
    }
}

TEST_F(TolvaneRun, CopiesEverySelectedGroupBetweenTheTwoLayouts) {
    const std::string src = write("news.rpls", newsImage_);
    const std::string dst = write("movie.rpls", movieImage_);
    const RunResult r = tolvane({"-dtpzmcnbig", src, dst});
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(r.output, "コピーしました.\n");

    const auto after = read(dst);
    ASSERT_EQ(after.size(), movieImage_.size());
    // Every fixed field now equals the source's, the genres are recoded for layout 0x0103.
    EXPECT_EQ(0, std::memcmp(&after[48], &newsImage_[48], 1));
    EXPECT_EQ(0, std::memcmp(&after[50], &newsImage_[50], 344 - 50));
    EXPECT_EQ(0, std::memcmp(&after[344], &newsImage_[344], 2 + 100));
    EXPECT_EQ(after[346 + 100], 0);  // no extended text in layout 0x0103
    const std::uint8_t genres[4] = {0xE5, 0xFF, 0x25, 0x13};
    EXPECT_EQ(0, std::memcmp(&after[movieBlock_ + 176], genres, 4));
    // The private code was not selected and stays.
    EXPECT_EQ(after[movieBlock_ + 168], 0x12);
    // Bytes outside the fields are carried through.
    EXPECT_EQ(0, std::memcmp(&after[4], &movieImage_[4], 12));
    EXPECT_EQ(0, std::memcmp(&after[1546], &movieImage_[1546], movieBlock_ - 1546));
}

TEST_F(TolvaneRun, CopiesPrivateCodeAndExtendedTextOnlyWhereTheyHaveAPlace) {
    // Layout 0x0103 source into a layout 0x0108 destination: the private code has no place,
    // and the source has no extended text, so the destination keeps its own.
    const std::string src = write("movie.rpls", movieImage_);
    const std::string dst = write("news.rpls", newsImage_);
    const RunResult r = tolvane({"-sie", src, dst});
    ASSERT_EQ(r.status, 0) << r.output;
    const auto after = read(dst);
    EXPECT_EQ(after[345], 10);
    EXPECT_EQ(after[346], 0x43);
    EXPECT_EQ(after[356], 0x42);  // the destination's own extended text, moved behind
    rpls::ProgramInfo info;
    std::memset(&info, 0, sizeof info);
    EXPECT_TRUE(rpls::fillFromRplsImage(rpls::ConstByteView(after.data(), after.size()), info));
    EXPECT_EQ(info.extTextLength, 50);
}

TEST_F(TolvaneRun, SourceAndDestinationMayBeTheSameFile) {
    const std::string file = write("news.rpls", newsImage_);
    const RunResult r = tolvane({"-dtpzmscnbieg", file, file});
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(read(file), newsImage_);
}

TEST_F(TolvaneRun, FailingRunsLeaveTheDestinationUntouched) {
    std::vector<std::uint8_t> tsBytes(188 * 8, 0xFF);
    for (std::size_t i = 0; i < tsBytes.size(); i += 188) tsBytes[i] = 0x47;
    std::vector<std::uint8_t> shortRpls(newsImage_.begin(), newsImage_.begin() + 1000);
    std::vector<std::uint8_t> cutBlock(movieImage_.begin(),
                                       movieImage_.begin() + static_cast<std::ptrdiff_t>(movieBlock_) + 100);
    const std::string src = write("src.rpls", newsImage_);
    const std::string ts = write("src.ts", tsBytes);
    const std::string text = write("notes.txt", std::vector<std::uint8_t>(2000, 'a'));
    const std::string shortDst = write("short.rpls", shortRpls);
    const std::string cutDst = write("cut.rpls", cutBlock);
    const std::string missing = path("missing.rpls");

    struct Case {
        const char* name;
        std::vector<std::string> args;
        std::string destination;
        std::string message;
    };
    const std::string dst = path("dst.rpls");
    const Case cases[] = {
        {"missing source", {"-d", missing, dst}, dst, "コピー元ファイル " + missing + " を開くのに失敗しました.\n"},
        {"source neither RPLS nor TS",
         {"-d", text, dst},
         dst,
         "コピー元ファイル " + text + " は有効なRPLSファイル，TSファイルではありません.\n"},
        {"TS source without programme information",
         {"-d", ts, dst},
         dst,
         "コピー元ファイル " + ts + " から有効な番組情報を検出できませんでした.\n"},
        {"destination is a TS file",
         {"-d", src, ts},
         ts,
         "コピー先ファイル " + ts + " は正常なRPLSファイルではありません.\n"},
        {"destination shorter than the fixed fields",
         {"-d", src, shortDst},
         shortDst,
         "コピー先ファイル " + shortDst + " は正常なRPLSファイルではありません.\n"},
        {"destination whose private block runs past its end",
         {"-g", src, cutDst},
         cutDst,
         "コピー先ファイル " + cutDst + " は正常なRPLSファイルではありません.\n"},
        {"missing destination", {"-d", src, missing}, "", "コピー先ファイル " + missing + " を開くのに失敗しました.\n"},
        {"bad switch", {"-dk", src, dst}, dst, "無効なスイッチが指定されました.\n"},
        {"both modes",
         {"-d", "-D", "2024/1/31", src, dst},
         dst,
         "コピーオプションとパラメータ指定オプションは同時指定できません.\n"},
    };
    for (const auto& c : cases) {
        write("dst.rpls", movieImage_);
        std::vector<std::uint8_t> before;
        if (!c.destination.empty()) before = read(c.destination);
        const RunResult r = tolvane(c.args);
        EXPECT_EQ(r.status, 1) << c.name;
        EXPECT_EQ(r.output, c.message) << c.name;
        if (!c.destination.empty()) {
            EXPECT_EQ(read(c.destination), before) << c.name;
        }
    }
}

TEST_F(TolvaneRun, ADestinationThatAnotherProcessHoldsIsRefused) {
    const std::string src = write("src.rpls", newsImage_);
    const std::string dst = write("dst.rpls", movieImage_);
    platform::File holder;
    ASSERT_TRUE(holder.openExisting(dst.c_str(), platform::Access::ReadWrite, true));
    const RunResult r = tolvane({"-d", src, dst});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.output, "コピー先ファイル " + dst + " を開くのに失敗しました.\n");
    holder.close();
    EXPECT_EQ(read(dst), movieImage_);
}

TEST_F(TolvaneRun, AFailedSaveIsReportedAsAFailure) {
    const std::string src = write("src.rpls", newsImage_);
    const std::string dst = write("dst.rpls", movieImage_);
    if (!testing_support::fileSizeLimitSupported()) GTEST_SKIP() << "no per-process file-size limit on this system";
    // Only the changed bytes are written: the date lies below the limit, the genres beyond it.
    const RunResult r = tolvane({"-dg", src, dst}, /*fileSizeLimit=*/1024);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.output,
              "コピー先ファイル " + dst + " への保存に失敗しました.\nコピー先ファイルの内容は元に戻しました.\n");
    EXPECT_EQ(read(dst), movieImage_);
    EXPECT_EQ(tolvane({"-d", src, dst}, /*fileSizeLimit=*/1024).status, 0);
}

TEST_F(TolvaneRun, ParameterModeWritesTheGivenNumbers) {
    const std::string dst = write("dst.rpls", movieImage_);
    const RunResult r =
        tolvane({"-D", "2024/1/31", "-T", "9:05:00", "-P", "1:30:00", "-Z", "3", "-M", "258/1", "-S", "00",
                 "-N", "1024",      "-G", "0x31",    "-G", "0x52",    "-G", "7", "-G", "9",     dst});
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(r.output, "コピーしました.\n");
    const auto after = read(dst);
    const std::uint8_t fixed[] = {0x20, 0x24, 0x01, 0x31, 0x09, 0x05, 0x00, 0x01,
                                  0x30, 0x00, 0x01, 0x02, 0x00, 0x01, 0x04, 0x00};
    EXPECT_EQ(0, std::memcmp(&after[50], fixed, sizeof fixed));
    EXPECT_EQ(after[48], 3);
    EXPECT_EQ(after[movieBlock_ + 168], 0);
    EXPECT_EQ(after[movieBlock_ + 169], 0);
    // Three genres: a fourth -G is skipped and its value is not taken for a file name.
    const std::uint8_t genres[4] = {0xD5, 0x70, 0x25, 0x13};
    EXPECT_EQ(0, std::memcmp(&after[movieBlock_ + 176], genres, 4));
    // Nothing but the selected groups changed.
    EXPECT_EQ(0, std::memcmp(&after[88], &movieImage_[88], movieBlock_ + 168 - 88));
}

TEST_F(TolvaneRun, AParameterFailureLeavesTheDestinationUntouched) {
    const std::string dst = write("dst.rpls", movieImage_);
    for (const char* bad : {"2024/13/1", "2024-01-31"}) {
        const RunResult r = tolvane({"-B", "title", "-D", bad, dst});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.output, "-D オプションの引数が異常です.\n");
        EXPECT_EQ(read(dst), movieImage_);
    }
}

TEST_F(TolvaneRun, JoinedTextIsTheSameWithAndWithoutW) {
    const std::string src = write("src.rpls", newsImage_);
    const std::string plain = write("plain.rpls", movieImage_);
    const std::string withW = write("with_w.rpls", movieImage_);
    ASSERT_EQ(tolvane({"-x", src, plain}).status, 0);
    ASSERT_EQ(tolvane({"-xw", src, withW}).status, 0);
    EXPECT_EQ(read(plain), read(withW));
    EXPECT_NE(read(plain), movieImage_);
}

}  // namespace
