#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvet {
namespace {

struct Parsed {
    bool ok;
    std::string output;
    ConvertArgs args;
    ConvertOptions options;
};

Parsed parse(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "KORVET");
    Parsed parsed{};
    ::testing::internal::CaptureStdout();
    parsed.ok = parseCommandLine(static_cast<int>(arguments.size()), arguments.data(), parsed.args, parsed.options);
    parsed.output = ::testing::internal::GetCapturedStdout();
    return parsed;
}

struct FailureCase {
    std::vector<const char*> arguments;
    const char* message;
};

TEST(ParseCommandLine, RefusesWithItsMessage) {
    const char* const tooFew = "パラメータが足りません.\n";
    const char* const tooMany = "パラメータが多すぎます.\n";
    const char* const badSwitch = "無効なスイッチが指定されました.\n";
    const char* const badPcrPid = "-tオプションの引数が異常です.\n";
    const char* const badReadBlocks = "-vオプションの引数が異常です.\n";
    const char* const duplicate = "変換オプション -r, -f, -b, -n の重複指定です.\n";
    const std::vector<FailureCase> cases{
        {{"in"}, tooFew},
        {{"-f", "in"}, tooFew},
        {{"in", "out", "more"}, tooMany},
        {{"-q", "in", "out"}, badSwitch},
        {{"-F", "in", "out"}, badSwitch},
        {{"-t", "0", "in", "out"}, badPcrPid},
        {{"-t", "zz", "in", "out"}, badPcrPid},
        {{"in", "out", "-t"}, badPcrPid},
        {{"-v", "0", "in", "out"}, badReadBlocks},
        {{"-v", "-3", "in", "out"}, badReadBlocks},
        {{"in", "out", "-v"}, badReadBlocks},
        {{"-r", "-n", "in", "out"}, duplicate},
        {{"-fb", "in", "out"}, duplicate},
        {{"-fx?", "in", "out"}, badSwitch},
        {{"--check"}, tooFew},
        {{"--checks", "in"}, badSwitch},
        {{"--check", "a", "b", "c"}, tooMany},
        {{"--json", "in", "out"}, "--json は --check と一緒に指定して下さい.\n"},
        {{"--json", "--check", "in", "-"},
         "--json は変換の出力が標準出力(-)のときには使えません.標準出力はパケットの出力です.\n"},
    };
    for (const FailureCase& c : cases) {
        const Parsed parsed = parse(c.arguments);
        EXPECT_FALSE(parsed.ok) << c.arguments.front();
        EXPECT_EQ(parsed.output, c.message) << c.arguments.front();
    }
}

TEST(ParseCommandLine, SwitchesAndFileNames) {
    Parsed p = parse({"-fd", "in.ts", "out.192"});
    ASSERT_TRUE(p.ok);
    EXPECT_TRUE(p.options.ts188ToFw192);
    EXPECT_TRUE(p.options.trace);
    EXPECT_FALSE(p.options.bd192ToFw192);
    EXPECT_EQ(p.args.inputArg, 2);
    EXPECT_EQ(p.args.outputArg, 3);
    EXPECT_TRUE(p.output.empty());

    // A bare minus sign is a file name: standard input or output.
    p = parse({"-", "-tv", "10", "-", "-b"});
    ASSERT_TRUE(p.ok);
    EXPECT_TRUE(p.options.pcrPidGiven);
    EXPECT_EQ(p.args.pcrPid, 0x10);
    EXPECT_EQ(p.args.readBlocks, 10);
    EXPECT_EQ(p.args.inputArg, 1);
    EXPECT_EQ(p.args.outputArg, 4);
    EXPECT_TRUE(p.options.ts188ToBd192);

    // --check takes one file name (a check) or two (a conversion that checks).
    p = parse({"--check", "-"});
    ASSERT_TRUE(p.ok);
    EXPECT_TRUE(p.options.check);
    EXPECT_EQ(p.args.inputArg, 2);
    EXPECT_EQ(p.args.outputArg, 0);
    p = parse({"-n", "in", "--json", "out", "--check"});
    ASSERT_TRUE(p.ok);
    EXPECT_TRUE(p.options.json);
    EXPECT_EQ(p.args.outputArg, 4);

    for (const char* pid : {"1FF", "0x1FF", "1ffjunk"}) {
        p = parse({"-t", pid, "-b", "in", "out"});
        ASSERT_TRUE(p.ok) << pid;
        EXPECT_EQ(p.args.pcrPid, 0x1FF) << pid;
    }

    p = parse({"-p", "-x", "in", "out"});
    ASSERT_TRUE(p.ok);
    EXPECT_TRUE(p.options.bd192ToFw192);
    EXPECT_TRUE(p.options.cycle3000);
    EXPECT_FALSE(p.options.unbuffered);
    EXPECT_EQ(p.args.readBlocks, 1);

    p = parse({"-v", "8", "-r", "in", "out"});
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.args.readBlocks, 8);
    EXPECT_TRUE(p.options.fw192ToBd192);
    EXPECT_TRUE(p.options.unbuffered);

    // Values beyond 32 bits saturate instead of wrapping round to something small.
    p = parse({"-v", "99999999999", "in", "out"});
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.args.readBlocks, 0x7FFFFFFF);
}

}  // namespace
}  // namespace korvet
