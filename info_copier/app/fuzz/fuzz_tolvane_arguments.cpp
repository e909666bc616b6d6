// Random command lines through tolvane's parser and, when it accepts them, the parameter
// values into a record. The input is split at NUL bytes into at most 24 arguments after the
// program name; the texts are whatever bytes the split gives, valid UTF-8 or not.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/parameters.h"
#include "common/option_flags.h"
#include "rpls/fuzz/record_bounds.h"
#include "rpls/program_info.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kMaxArguments = 24;
    std::vector<std::string> arguments{"tolvane"};
    std::string current;
    for (std::size_t i = 0; i < size && arguments.size() <= kMaxArguments; ++i) {
        if (data[i] == 0) {
            arguments.push_back(current);
            current.clear();
        } else {
            current.push_back(static_cast<char>(data[i]));
        }
    }
    if (arguments.size() <= kMaxArguments && !current.empty()) arguments.push_back(current);
    std::vector<const char*> argv;
    for (const std::string& argument : arguments) argv.push_back(argument.c_str());
    argv.push_back(nullptr);

    common::OptionFlags flags;
    common::ArgumentSlots slots;
    const int argc = static_cast<int>(arguments.size());
    if (!app::parseCommandLine(argc, argv.data(), flags, slots)) return 0;
    // Every slot the parser hands on names an argument that exists.
    const std::int32_t valueSlots[] = {
        slots.sourceArg,      slots.destinationArg,   slots.dateArg,      slots.startTimeArg,
        slots.durationArg,    slots.zoneArg,          slots.codePairArg,  slots.privateCodeArg,
        slots.channelNameArg, slots.channelNumberArg, slots.titleArg,     slots.textArg,
        slots.extTextArg,     slots.genreArgs[0],     slots.genreArgs[1], slots.genreArgs[2]};
    for (std::int32_t slot : valueSlots)
        if (slot < -1 || slot >= argc) __builtin_trap();
    if (!flags.anyParameter()) return 0;

    static rpls::ProgramInfo info;
    std::memset(&info, 0, sizeof info);
    if (!app::applyParameters(info, slots, argv.data(), flags)) return 0;
    if (!rpls::lengthsInsideFields(info)) __builtin_trap();
    return 0;
}
