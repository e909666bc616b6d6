#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct ParseOutcome {
    bool ok;
    std::string output;
    common::OptionFlags flags;
    common::ArgumentSlots slots;
};

ParseOutcome parse(std::vector<const char*> args) {
    args.insert(args.begin(), "tolvane");
    ParseOutcome outcome{};
    testing::internal::CaptureStdout();
    outcome.ok = app::parseCommandLine(static_cast<int>(args.size()), args.data(), outcome.flags, outcome.slots);
    outcome.output = testing::internal::GetCapturedStdout();
    return outcome;
}

struct FailureCase {
    const char* name;
    std::vector<const char*> args;
    const char* message;
};

TEST(ParseCommandLine, FailuresPrintTheirOneMessage) {
    const char* const tooFew = "パラメータが足りません.\n";
    const char* const tooMany = "パラメータが多すぎます.\n";
    const char* const modesMixed = "コピーオプションとパラメータ指定オプションは同時指定できません.\n";
    const char* const noOption = "コピーするオプションを指定して下さい.\n";
    const char* const textWithJoin = "-i, -x オプションは同時指定できません.\n";
    const char* const extTextWithJoin = "-e, -x オプションは同時指定できません.\n";
    const char* const badPercent = "-f オプションの引数が異常です.\n";
    const char* const badSwitch = "無効なスイッチが指定されました.\n";
    const FailureCase cases[] = {
        {"copy with one file", {"-d", "src"}, tooFew},
        {"parameter mode with two files", {"-D", "2024/1/31", "src", "dst"}, tooMany},
        {"three plain arguments", {"-d", "a", "b", "c"}, tooMany},
        {"both modes", {"-d", "-D", "2024/1/31", "src", "dst"}, modesMixed},
        {"w alone counts for no mode", {"-w", "dst"}, noOption},
        {"f alone counts for no mode", {"-f", "10", "src", "dst"}, noOption},
        {"i with x", {"-ix", "src", "dst"}, textWithJoin},
        {"e with x", {"-e", "-x", "src", "dst"}, extTextWithJoin},
        {"i and e with x report i first", {"-iex", "src", "dst"}, textWithJoin},
        {"f of 100", {"-d", "-f", "100", "src", "dst"}, badPercent},
        {"f of -1", {"-d", "-f", "-1", "src", "dst"}, badPercent},
        {"f of a huge number", {"-d", "-f", "99999999999999999999", "src", "dst"}, badPercent},
        {"f without a value", {"-d", "src", "dst", "-f"}, badPercent},
        {"unknown letter", {"-dq", "src", "dst"}, badSwitch},
        {"unknown letter before the mode checks", {"-q"}, badSwitch},
        {"parameter mode without a file", {"-B", "title"}, tooFew},
        {"no file and no option", {"-"}, noOption},
    };
    for (const auto& c : cases) {
        const ParseOutcome outcome = parse(c.args);
        EXPECT_FALSE(outcome.ok) << c.name;
        EXPECT_EQ(outcome.output, c.message) << c.name;
    }
}

TEST(ParseCommandLine, CopyModeKeepsSourceAndDestinationWhereverTheSwitchesStand) {
    for (const auto& args :
         {std::vector<const char*>{"-d", "src", "dst"}, std::vector<const char*>{"src", "-d", "dst"},
          std::vector<const char*>{"src", "dst", "-d"}, std::vector<const char*>{"src", "-", "-d", "dst"}}) {
        const ParseOutcome outcome = parse(args);
        ASSERT_TRUE(outcome.ok);
        EXPECT_EQ(outcome.output, "");
        EXPECT_TRUE(outcome.flags.copyDate);
        EXPECT_FALSE(outcome.flags.copyStartTime);
        const int src = outcome.slots.sourceArg;
        const int dst = outcome.slots.destinationArg;
        EXPECT_STREQ(args[static_cast<std::size_t>(src - 1)], "src");
        EXPECT_STREQ(args[static_cast<std::size_t>(dst - 1)], "dst");
    }
}

TEST(ParseCommandLine, EveryCopyLetterSetsItsOwnFlag) {
    const ParseOutcome outcome = parse({"-dtpzmscnbieg", "src", "dst"});
    ASSERT_TRUE(outcome.ok);
    const common::OptionFlags& f = outcome.flags;
    EXPECT_TRUE(f.copyDate && f.copyStartTime && f.copyDuration && f.copyZone && f.copyCodePair && f.copyPrivateCode &&
                f.copyChannelName && f.copyChannelNumber && f.copyTitle && f.copyText && f.copyExtText && f.copyGenres);
    EXPECT_FALSE(f.joinTexts);
    EXPECT_FALSE(f.anyParameter());
    EXPECT_TRUE(f.sizeControls);
}

TEST(ParseCommandLine, ParameterModeMovesTheFileToTheDestination) {
    const ParseOutcome outcome = parse({"-D", "2024/1/31", "dst"});
    ASSERT_TRUE(outcome.ok);
    EXPECT_EQ(outcome.slots.sourceArg, 0);
    EXPECT_EQ(outcome.slots.destinationArg, 3);
    EXPECT_EQ(outcome.slots.dateArg, 2);
}

TEST(ParseCommandLine, ValueOptionsConsumeTheNextArgumentEvenWhenItLooksLikeASwitch) {
    const ParseOutcome outcome = parse({"-I", "-x", "dst"});
    ASSERT_TRUE(outcome.ok);
    EXPECT_TRUE(outcome.flags.setText);
    EXPECT_FALSE(outcome.flags.joinTexts);
    EXPECT_EQ(outcome.slots.textArg, 2);
    EXPECT_EQ(outcome.slots.destinationArg, 3);
}

TEST(ParseCommandLine, LettersOfOneArgumentShareOneValue) {
    const ParseOutcome outcome = parse({"-DT", "x", "dst"});
    ASSERT_TRUE(outcome.ok);
    EXPECT_EQ(outcome.slots.dateArg, 2);
    EXPECT_EQ(outcome.slots.startTimeArg, 2);
    EXPECT_EQ(outcome.slots.destinationArg, 3);
}

TEST(ParseCommandLine, AValueOptionAtTheEndRecordsMinusOne) {
    const ParseOutcome outcome = parse({"dst", "-B"});
    ASSERT_TRUE(outcome.ok);
    EXPECT_EQ(outcome.slots.titleArg, -1);
}

TEST(ParseCommandLine, OnlyThreeGenresAreRecordedButEveryGConsumesItsValue) {
    const ParseOutcome outcome = parse({"-G", "1/1", "-G", "2/2", "-G", "3/3", "-G", "4/4", "dst"});
    ASSERT_TRUE(outcome.ok) << outcome.output;
    EXPECT_EQ(outcome.slots.genreArgs[0], 2);
    EXPECT_EQ(outcome.slots.genreArgs[1], 4);
    EXPECT_EQ(outcome.slots.genreArgs[2], 6);
    EXPECT_EQ(outcome.slots.destinationArg, 9);
}

TEST(ParseCommandLine, ReadStartPercent) {
    struct {
        const char* value;
        int expected;
    } cases[] = {{"0", 0}, {"99", 99}, {" +7", 7}, {"abc", 0}, {"12abc", 12}};
    for (const auto& c : cases) {
        const ParseOutcome outcome = parse({"-d", "-f", c.value, "src", "dst"});
        ASSERT_TRUE(outcome.ok) << c.value;
        EXPECT_EQ(outcome.slots.readStartPercent, c.expected) << c.value;
    }
    EXPECT_EQ(parse({"-d", "src", "dst"}).slots.readStartPercent, 50);
}

TEST(ParseCommandLine, WClearsSizeControlsAndCountsForNoMode) {
    const ParseOutcome outcome = parse({"-wB", "title", "dst"});
    ASSERT_TRUE(outcome.ok);
    EXPECT_FALSE(outcome.flags.sizeControls);
}

}  // namespace
