// tolvane --bdav on the sample recorder folder: every playlist byte for byte as the
// single-file copy from its stream leaves it, the dry run, the refused command lines and the
// playlists that cannot be filled.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "rpls/rpls_fixture.h"
#include "sample_bdav.h"
#include "test_support/run_program.h"

namespace {

using testing_support::RunResult;

// The sample folder's playlists and the streams they play; "" = cannot be filled (a missing
// stream, an M2PS item).
struct Pairing {
    const char* playlist;
    const char* stream;
};
constexpr Pairing kPairings[] = {
    {"00001.rpls", "00003.m2ts"}, {"00002.rpls", "00005.m2ts"}, {"00003.rpls", "00006.m2ts"},
    {"00004.rpls", "00006.m2ts"}, {"00005.rpls", "00007.m2ts"}, {"00006.RPLS", "00008.M2TS"},
    {"00007.rpls", ""},           {"00008.rpls", ""},
};

std::vector<std::uint8_t> read(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    EXPECT_TRUE(fixture::readFile(path, bytes)) << path;
    return bytes;
}

RunResult tolvane(const std::vector<std::string>& args) { return testing_support::runProgram(TOLVANE_BINARY, args); }

class FolderRun : public testing::Test {
protected:
    void SetUp() override {
        pristine_ = testing_support::makeTempDir("bdav_pristine");
        ASSERT_TRUE(ts_streams::writeSampleBdav(pristine_));
    }
    // A fresh copy of the sample folder (its parent, the disc's root).
    std::string freshCopy() const {
        const std::string root = testing_support::makeTempDir("bdav_run");
        // Entry by entry into the folder that exists already: mingw's std::filesystem refuses to
        // copy a folder onto an existing one ("File exists").
        for (const auto& entry : std::filesystem::directory_iterator(pristine_)) {
            std::filesystem::copy(entry.path(), std::filesystem::path(root) / entry.path().filename(),
                                  std::filesystem::copy_options::recursive);
        }
        return root;
    }
    std::string playlist(const std::string& root, const char* name) const { return root + "/BDAV/PLAYLIST/" + name; }
    std::string stream(const std::string& root, const char* name) const { return root + "/BDAV/STREAM/" + name; }

    std::string pristine_;
};

TEST_F(FolderRun, EveryPlaylistIsByteForByteTheSingleRun) {
    const std::vector<std::vector<std::string>> switchSets = {
        {"-dtpcnbieg"},
        {"-x", "-f", "0"},
        {"-dtpzmscnbg", "-w"},
        {"-i", "-f", "99"},  // the scan from 99 % finds nothing: every playlist stays as it was
    };
    for (const std::vector<std::string>& switches : switchSets) {
        const std::string root = freshCopy();
        std::vector<std::string> args = switches;
        args.insert(args.end(), {"--bdav", root});
        const RunResult run = tolvane(args);
        EXPECT_EQ(run.status, 1) << run.output;  // the missing stream and the M2PS item
        EXPECT_NE(run.output.find("書き込めず"), std::string::npos) << run.output;

        const std::string single = testing_support::makeTempDir("bdav_single");
        for (const Pairing& p : kPairings) {
            const std::vector<std::uint8_t> before = read(playlist(pristine_, p.playlist));
            std::vector<std::uint8_t> expected = before;
            if (*p.stream != '\0') {
                const std::string copy = single + "/" + p.playlist;
                ASSERT_TRUE(fixture::writeNewFile(copy, before));
                std::vector<std::string> singleArgs = switches;
                singleArgs.insert(singleArgs.end(), {stream(pristine_, p.stream), copy});
                tolvane(singleArgs);
                expected = read(copy);
            }
            EXPECT_EQ(read(playlist(root, p.playlist)), expected) << switches[0] << " " << p.playlist;
        }
    }
}

TEST_F(FolderRun, DryRunWritesNothingAndEndsAsTheRealRunWould) {
    const std::string root = freshCopy();
    const RunResult dry = tolvane({"--dry-run", "-dtpcnbieg", "--bdav", root + "/BDAV"});
    EXPECT_EQ(dry.status, 1);
    for (const Pairing& p : kPairings)
        EXPECT_EQ(read(playlist(root, p.playlist)), read(playlist(pristine_, p.playlist)));
    for (const char* expected :
         {"00001.rpls ← 00003.m2ts: 書き込みます.", "    放送時間: 00:54:00 → 00:45:00",
          "    番組名: 映画 → 日曜美術館「北斎の富士」", "00006.RPLS ← 00008.M2TS",
          "00007.rpls: 書き込みませんでした: クリップ 00009 のストリーム",
          "クリップ 00010 は M2TS ではありません (M2PS)", "書き込み予定 6 件", "00002.rpls ← 00005.m2ts"}) {
        EXPECT_NE(dry.output.find(expected), std::string::npos) << expected << "\n" << dry.output;
    }
    EXPECT_EQ(dry.output.find("vpls"), std::string::npos);  // not a real playlist

    // Without the two that cannot be filled, the run succeeds, and a second finds nothing to do.
    std::filesystem::remove(playlist(root, "00007.rpls"));
    std::filesystem::remove(playlist(root, "00008.rpls"));
    EXPECT_EQ(tolvane({"-dtpcnbieg", "--bdav", root}).status, 0);
    const RunResult again = tolvane({"-dtpcnbieg", "--bdav", root, "--dry-run"});
    EXPECT_EQ(again.status, 0) << again.output;
    EXPECT_NE(again.output.find("変更なし 6 件"), std::string::npos) << again.output;
}

TEST_F(FolderRun, RefusedCommandLinesAndFolders) {
    const std::string root = freshCopy();
    const std::string empty = testing_support::makeTempDir("bdav_empty");
    struct Case {
        std::vector<std::string> args;
        const char* message;
    };
    const Case cases[] = {
        {{"-D", "2024/1/1", "--bdav", root}, "--bdav ではパラメータ指定オプションは使えません."},
        {{"-d", "--bdav"}, "--bdav の後にフォルダを指定して下さい."},
        {{"-d", "--bdav", "--dry-run", root}, "--bdav の後にフォルダを指定して下さい."},
        {{"-d", "--bdav", root, "extra.rpls"}, "ファイル名 extra.rpls は指定できません."},
        {{"-d", "--bdav", root, "--bdav", root}, "--bdav は1回だけ指定して下さい."},
        {{"--bdav", root}, "コピーするオプションを指定して下さい."},
        {{"-ix", "--bdav", root}, "-i, -x オプションは同時指定できません."},
        {{"-d", "-f", "100", "--bdav", root}, "-f オプションの引数が異常です."},
        {{"-d", "--dry-run", "a.ts", "b.rpls"}, "--dry-run は --bdav と一緒に指定して下さい."},
        {{"-d", "--bdav", root, "--verbose"}, "無効なスイッチが指定されました."},
        {{"-d", "--bdav", empty}, "PLAYLIST フォルダがありません"},
        {{"-d", "--bdav", root + "/none"}, "を読み込めません."},
        // "--bdav" as the value of a parameter option is a title, not the folder option.
        {{"-B", "--bdav", root + "/none.rpls"}, "を開くのに失敗しました."},
    };
    for (const Case& c : cases) {
        const RunResult r = tolvane(c.args);
        EXPECT_EQ(r.status, 1) << c.message;
        EXPECT_NE(r.output.find(c.message), std::string::npos) << c.message << "\n" << r.output;
    }
    for (const Pairing& p : kPairings)
        EXPECT_EQ(read(playlist(root, p.playlist)), read(playlist(pristine_, p.playlist)));
}

TEST_F(FolderRun, ADamagedPlaylistIsLeftAloneAndTheRunGoesOn) {
    const std::string root = freshCopy();
    std::vector<std::uint8_t> bad = read(playlist(root, "00001.rpls"));
    bad[0x728 + 12] = '.';  // clip "../003"-like names never reach a path
    bad[0x728 + 13] = '.';
    ASSERT_TRUE(fixture::writeFile(playlist(root, "00000.rpls"), bad));
    std::vector<std::uint8_t> cut = read(playlist(root, "00001.rpls"));
    cut[8] = 0x7F;  // a PlayList address far past the end
    ASSERT_TRUE(fixture::writeFile(playlist(root, "00009.rpls"), cut));
    ASSERT_TRUE(fixture::writeFile(playlist(root, "00010.rpls"), {'P', 'L', 'S', 'T'}));

    const RunResult r = tolvane({"-b", "--bdav", root});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(read(playlist(root, "00000.rpls")), bad);
    EXPECT_EQ(read(playlist(root, "00009.rpls")), cut);
    for (const char* expected :
         {"00000.rpls: 書き込みませんでした: 壊れています: PlayItem 1 のクリップ名",
          "00009.rpls: 書き込みませんでした: 壊れています: PlayList がファイルの終わりより後ろ",
          "00010.rpls: 書き込みませんでした: 正常なRPLSファイルではありません",
          "00001.rpls ← 00003.m2ts: 書き込みました.", "書き込み 6 件, 変更なし 0 件, 書き込めず 5 件"}) {
        EXPECT_NE(r.output.find(expected), std::string::npos) << expected << "\n" << r.output;
    }
}

// A link in the folder is passed over: a run never opens a file outside the folder it was given.
TEST_F(FolderRun, LinksLeadingOutOfTheFolderAreNotFollowed) {
    const std::string root = freshCopy();
    const std::string outside = testing_support::makeTempDir("bdav_outside") + "/victim.rpls";
    const std::vector<std::uint8_t> victim = read(playlist(pristine_, "00001.rpls"));
    ASSERT_TRUE(fixture::writeNewFile(outside, victim));
    std::error_code error;
    std::filesystem::create_symlink(outside, playlist(root, "00011.rpls"), error);
    if (error) GTEST_SKIP() << "no symbolic links here: " << error.message();
    const RunResult r = tolvane({"-b", "--bdav", root});
    EXPECT_EQ(read(outside), victim);
    EXPECT_EQ(r.output.find("00011.rpls"), std::string::npos) << r.output;
}

}  // namespace
