#include "app/command_line.h"

#include "app/copy_switches.h"
#include "app/number_scan.h"
#include "common/messages.h"
#include "platform/console.h"

namespace app {

namespace {

// Marks a value option and records where its value stands (-1 when nothing follows).
void takeValue(bool& flag, std::int32_t& slot, std::int32_t valuePosition) {
    flag = true;
    slot = valuePosition;
}

bool setParameter(char letter, common::OptionFlags& f, common::ArgumentSlots& s, std::int32_t value) {
    switch (letter) {
        case 'D': takeValue(f.setDate, s.dateArg, value); return true;
        case 'T': takeValue(f.setStartTime, s.startTimeArg, value); return true;
        case 'P': takeValue(f.setDuration, s.durationArg, value); return true;
        case 'Z': takeValue(f.setZone, s.zoneArg, value); return true;
        case 'M': takeValue(f.setCodePair, s.codePairArg, value); return true;
        case 'S': takeValue(f.setPrivateCode, s.privateCodeArg, value); return true;
        case 'C': takeValue(f.setChannelName, s.channelNameArg, value); return true;
        case 'N': takeValue(f.setChannelNumber, s.channelNumberArg, value); return true;
        case 'B': takeValue(f.setTitle, s.titleArg, value); return true;
        case 'I': takeValue(f.setText, s.textArg, value); return true;
        case 'E': takeValue(f.setExtText, s.extTextArg, value); return true;
        default: return false;
    }
}

bool fail(const char* message) {
    platform::print("%s", message);
    return false;
}

}  // namespace

bool parseCommandLine(int argc, const char* const* argv, common::OptionFlags& flags, common::ArgumentSlots& slots) {
    for (int pos = 1; pos < argc;) {
        const char* arg = argv[pos];
        bool consumesValue = false;
        if (arg[0] == '-' && arg[1] != '\0') {
            const std::int32_t valuePosition = pos + 1 < argc ? pos + 1 : -1;
            for (const char* letter = arg + 1; *letter != '\0'; ++letter) {
                if (setCopyFlag(*letter, flags)) continue;
                if (*letter == 'w') {
                    flags.sizeControls = false;
                } else if (setParameter(*letter, flags, slots, valuePosition)) {
                    consumesValue = true;
                } else if (*letter == 'G') {
                    flags.setGenres = true;
                    for (std::int32_t& genre : slots.genreArgs) {
                        if (genre == 0) {
                            genre = valuePosition;
                            break;
                        }
                    }
                    consumesValue = true;
                } else if (*letter == 'f') {
                    if (valuePosition < 0) return fail(common::msg::kBadPercent);
                    const long long percent = parseDecimal(argv[valuePosition]);
                    if (percent < 0 || percent > 99) return fail(common::msg::kBadPercent);
                    slots.readStartPercent = static_cast<std::int32_t>(percent);
                    consumesValue = true;
                } else {
                    return fail(common::msg::kBadSwitch);
                }
            }
        } else if (arg[0] != '-') {
            if (slots.sourceArg == 0) {
                slots.sourceArg = pos;
            } else if (slots.destinationArg == 0) {
                slots.destinationArg = pos;
            } else {
                return fail(common::msg::kTooManyArguments);
            }
        }
        // A lone "-" is skipped.
        pos += consumesValue ? 2 : 1;
    }

    const bool copyMode = flags.anyCopy();
    const bool parameterMode = flags.anyParameter();
    if (!copyMode && !parameterMode) return fail(common::msg::kNoOption);
    if (copyMode && parameterMode) return fail(common::msg::kModesMixed);
    if (copyMode) {
        if (flags.joinTexts && flags.copyText) return fail(common::msg::kTextWithJoin);
        if (flags.joinTexts && flags.copyExtText) return fail(common::msg::kExtTextWithJoin);
        if (slots.destinationArg == 0) return fail(common::msg::kTooFewArguments);
        return true;
    }
    if (slots.sourceArg == 0) return fail(common::msg::kTooFewArguments);
    if (slots.destinationArg != 0) return fail(common::msg::kTooManyArguments);
    slots.destinationArg = slots.sourceArg;
    slots.sourceArg = 0;
    return true;
}

}  // namespace app
