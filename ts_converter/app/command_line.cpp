#include "app/command_line.h"

#include "common/messages.h"
#include "platform/console.h"

#include <cstdlib>
#include <cstring>
#include <limits>

namespace korvet {

namespace {

// strtol as a 32-bit runtime has it: values beyond the int range saturate.
std::int32_t parseNumber(const char* text, int base) {
    const long long value = std::strtoll(text, nullptr, base);
    if (value > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

enum class GroupResult { Ok, OkSkipNext, Failed };

GroupResult parseSwitchGroup(int argc, const char* const* argv, int index, ConvertArgs& args, ConvertOptions& options) {
    const char* group = argv[index];
    const bool hasNext = index + 1 < argc;
    bool takesArgument = false;
    for (const char* c = group + 1; *c != '\0'; ++c) {
        switch (*c) {
            case 'b': options.ts188ToBd192 = true; break;
            case 'd': options.trace = true; break;
            case 'f': options.ts188ToFw192 = true; break;
            case 'n': options.toTs188 = true; break;
            case 'p': options.cycle3000 = true; break;
            case 'r': options.fw192ToBd192 = true; break;
            case 'x': options.unbuffered = false; break;
            case 't': {
                options.pcrPidGiven = true;
                const std::int32_t pid = hasNext ? parseNumber(argv[index + 1], 16) : 0;
                if (pid <= 0) {
                    platform::print("%s", msg::kBadPcrPidArgument);
                    return GroupResult::Failed;
                }
                args.pcrPid = pid;
                takesArgument = true;
                break;
            }
            case 'v': {
                const std::int32_t blocks = hasNext ? parseNumber(argv[index + 1], 10) : 0;
                if (blocks <= 0) {
                    platform::print("%s", msg::kBadReadBlocksArgument);
                    return GroupResult::Failed;
                }
                args.readBlocks = blocks;
                takesArgument = true;
                break;
            }
            default: platform::print("%s", msg::kBadSwitch); return GroupResult::Failed;
        }
    }
    return takesArgument ? GroupResult::OkSkipNext : GroupResult::Ok;
}

}  // namespace

bool standardOutputCarriesData(int argc, const char* const* argv) {
    int names = 0;
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (std::strcmp(argument, "--json") == 0) return true;
        if (argument[0] == '-' && argument[1] != '\0') {
            // -t and -v take the argument after their group.
            if (argument[1] != '-' && (std::strchr(argument, 't') != nullptr || std::strchr(argument, 'v') != nullptr))
                ++i;
            continue;
        }
        if (++names == 2) return namesStandardStream(argument);
    }
    return false;
}

bool parseCommandLine(int argc, const char* const* argv, ConvertArgs& args, ConvertOptions& options) {
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (std::strcmp(argument, "--check") == 0) {
            options.check = true;
            continue;
        }
        if (std::strcmp(argument, "--json") == 0) {
            options.json = true;
            continue;
        }
        // A bare minus sign names standard input or output, like any other file name.
        if (argument[0] == '-' && argument[1] != '\0') {
            const GroupResult result = parseSwitchGroup(argc, argv, i, args, options);
            if (result == GroupResult::Failed) return false;
            if (result == GroupResult::OkSkipNext) ++i;
            continue;
        }
        if (args.inputArg == 0) {
            args.inputArg = i;
        } else if (args.outputArg == 0) {
            args.outputArg = i;
        } else {
            platform::print("%s", msg::kTooManyArguments);
            return false;
        }
    }
    // --check alone reads one file; everything else takes an input and an output.
    if (args.inputArg == 0 || (args.outputArg == 0 && !options.check)) {
        platform::print("%s", msg::kTooFewArguments);
        return false;
    }
    if (options.json && !options.check) {
        platform::print("%s", msg::kJsonWithoutCheck);
        return false;
    }
    if (options.json && args.outputArg != 0 && namesStandardStream(argv[args.outputArg])) {
        platform::print("%s", msg::kJsonWithPacketsOnStandardOutput);
        return false;
    }
    const int conversions =
        int{options.fw192ToBd192} + int{options.ts188ToFw192} + int{options.ts188ToBd192} + int{options.toTs188};
    if (conversions >= 2) {
        platform::print("%s", msg::kDuplicateConversion);
        return false;
    }
    if (conversions == 0) options.bd192ToFw192 = true;
    return true;
}

}  // namespace korvet
