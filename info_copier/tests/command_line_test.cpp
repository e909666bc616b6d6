#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/messages.h"

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
    const FailureCase cases[] = {
        {"copy with one file", {"-d", "src"}, common::msg::kTooFewArguments},
        {"parameter mode with two files", {"-D", "2024/1/31", "src", "dst"}, common::msg::kTooManyArguments},
        {"three plain arguments", {"-d", "a", "b", "c"}, common::msg::kTooManyArguments},
        {"both modes", {"-d", "-D", "2024/1/31", "src", "dst"}, common::msg::kModesMixed},
        {"w alone counts for no mode", {"-w", "dst"}, common::msg::kNoOption},
        {"f alone counts for no mode", {"-f", "10", "src", "dst"}, common::msg::kNoOption},
        {"i with x", {"-ix", "src", "dst"}, common::msg::kTextWithJoin},
        {"e with x", {"-e", "-x", "src", "dst"}, common::msg::kExtTextWithJoin},
        {"i and e with x report i first", {"-iex", "src", "dst"}, common::msg::kTextWithJoin},
        {"f of 100", {"-d", "-f", "100", "src", "dst"}, common::msg::kBadPercent},
        {"f of -1", {"-d", "-f", "-1", "src", "dst"}, common::msg::kBadPercent},
        {"f of a huge number", {"-d", "-f", "99999999999999999999", "src", "dst"}, common::msg::kBadPercent},
        {"f without a value", {"-d", "src", "dst", "-f"}, common::msg::kBadPercent},
        {"unknown letter", {"-dq", "src", "dst"}, common::msg::kBadSwitch},
        {"unknown letter before the mode checks", {"-q"}, common::msg::kBadSwitch},
        {"parameter mode without a file", {"-B", "title"}, common::msg::kTooFewArguments},
        {"no file and no option", {"-"}, common::msg::kNoOption},
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
