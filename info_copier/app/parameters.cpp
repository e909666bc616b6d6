#include "app/parameters.h"

#include <cstring>

#include "app/line_breaks.h"
#include "app/number_scan.h"
#include "arib/arib_text.h"
#include "platform/console.h"
#include "platform/utf8.h"

namespace app {

namespace {

// A command-line argument holds at most 128 KiB on Linux, so its UTF-16 form fits here.
constexpr std::size_t kArgumentUnits = 131072;

struct TextBuffers {
    char16_t converted[kArgumentUnits];
    char16_t expanded[kExpandedTextCapacity];
};

std::uint8_t bcd(long long v) { return static_cast<std::uint8_t>(((v / 10) << 4) | (v % 10)); }

bool inRange(long long v, long long low, long long high) { return v >= low && v <= high; }

// The value of an option, or null when the option stands last with no value behind it.
const char* valueAt(const char* const* argv, std::int32_t slot) { return slot > 0 ? argv[slot] : nullptr; }

bool setDate(rpls::ProgramInfo& info, const char* value) {
    long long ymd[3];
    if (!value || !scanSeparatedNumbers(value, '/', 3, ymd)) return false;
    if (!inRange(ymd[0], 1, 9999) || !inRange(ymd[1], 1, 12) || !inRange(ymd[2], 1, 31)) return false;
    info.date[0] = bcd(ymd[0] / 100);
    info.date[1] = bcd(ymd[0] % 100);
    info.date[2] = bcd(ymd[1]);
    info.date[3] = bcd(ymd[2]);
    return true;
}

bool setClock(std::uint8_t (&field)[3], const char* value) {
    long long hms[3];
    if (!value || !scanSeparatedNumbers(value, ':', 3, hms)) return false;
    if (!inRange(hms[0], 0, 23) || !inRange(hms[1], 0, 59) || !inRange(hms[2], 0, 59)) return false;
    for (int i = 0; i < 3; ++i) field[i] = bcd(hms[i]);
    return true;
}

bool setZone(rpls::ProgramInfo& info, const char* value) {
    if (!value) return false;
    const long long zone = parseDecimal(value);
    if (!inRange(zone, 0, 255)) return false;
    info.zone = static_cast<std::uint8_t>(zone);
    return true;
}

bool setCodePair(rpls::ProgramInfo& info, const char* value) {
    long long pair[2];
    if (!value || !scanSeparatedNumbers(value, '/', 2, pair)) return false;
    if (!inRange(pair[0], 0, 65535) || !inRange(pair[1], 0, 65535)) return false;
    info.codePair[0] = static_cast<std::uint8_t>(pair[0] >> 8);
    info.codePair[1] = static_cast<std::uint8_t>(pair[0]);
    info.codePair[2] = static_cast<std::uint8_t>(pair[1] >> 8);
    info.codePair[3] = static_cast<std::uint8_t>(pair[1]);
    return true;
}

bool setPrivateCode(rpls::ProgramInfo& info, const char* value, TextBuffers& buffers) {
    if (!value) return false;
    if (platform::utf8ToUtf16(value, buffers.converted, kArgumentUnits) != 2) return false;
    const char16_t* units = buffers.converted;
    info.privateCode = units[0] == u'0' && units[1] == u'0' ? 0 : ((units[0] & 0xFF) << 8) | (units[1] & 0xFF);
    return true;
}

bool setChannelNumber(rpls::ProgramInfo& info, const char* value) {
    if (!value) return false;
    const long long number = parseDecimal(value);
    if (!inRange(number, 0, 65535)) return false;
    info.channelNumber[0] = static_cast<std::uint8_t>(number >> 8);
    info.channelNumber[1] = static_cast<std::uint8_t>(number);
    return true;
}

// Codes the argument into `field`; answers the byte count, or -1 for a missing value or
// text that is not valid UTF-8 (storing it would not be what the user typed).
int encodeArgument(const char* value, bool expandBreaks, std::uint8_t* field, int capacity, bool sizeControls,
                   TextBuffers& buffers) {
    if (!value) return -1;
    const std::int64_t units = platform::utf8ToUtf16(value, buffers.converted, kArgumentUnits);
    if (units < 0) return -1;
    const char16_t* text = buffers.converted;
    int length = static_cast<int>(units);
    if (expandBreaks) {
        length = expandLineBreaks(text, length, buffers.expanded);
        text = buffers.expanded;
    }
    int coded = arib::encodeAribText(field, capacity, text, length, sizeControls);
    return coded > capacity ? capacity : coded;
}

bool setGenres(rpls::ProgramInfo& info, const common::ArgumentSlots& slots, const char* const* argv) {
    for (int i = 0; i < 3 && slots.genreArgs[i] != 0; ++i) {
        const char* value = valueAt(argv, slots.genreArgs[i]);
        if (!value) return false;
        const long long genre = parsePrefixed(value);
        if (!inRange(genre, 0, 255)) return false;
        info.genres[i].present = 1;
        info.genres[i].value = static_cast<std::uint8_t>(genre);
    }
    return true;
}

bool fail(char option) {
    platform::print("-%c オプションの引数が異常です.\n", option);
    return false;
}

}  // namespace

bool applyParameters(rpls::ProgramInfo& info, const common::ArgumentSlots& slots, const char* const* argv,
                     const common::OptionFlags& flags) {
    static TextBuffers buffers;
    const bool sizeControls = flags.sizeControls;

    if (flags.setDate && !setDate(info, valueAt(argv, slots.dateArg))) return fail('D');
    if (flags.setStartTime && !setClock(info.startTime, valueAt(argv, slots.startTimeArg))) return fail('T');
    if (flags.setDuration && !setClock(info.duration, valueAt(argv, slots.durationArg))) return fail('P');
    if (flags.setZone && !setZone(info, valueAt(argv, slots.zoneArg))) return fail('Z');
    if (flags.setCodePair && !setCodePair(info, valueAt(argv, slots.codePairArg))) return fail('M');
    if (flags.setPrivateCode && !setPrivateCode(info, valueAt(argv, slots.privateCodeArg), buffers)) return fail('S');
    if (flags.setChannelName) {
        const int n = encodeArgument(valueAt(argv, slots.channelNameArg), false, info.channelName,
                                     static_cast<int>(rpls::kChannelNameCapacity), sizeControls, buffers);
        if (n < 0) return fail('C');
        info.channelNameLength = static_cast<std::uint8_t>(n);
    }
    if (flags.setChannelNumber && !setChannelNumber(info, valueAt(argv, slots.channelNumberArg))) return fail('N');
    if (flags.setTitle) {
        const int n = encodeArgument(valueAt(argv, slots.titleArg), false, info.title,
                                     static_cast<int>(rpls::kTitleCapacity), sizeControls, buffers);
        if (n < 0) return fail('B');
        info.titleLength = static_cast<std::uint8_t>(n);
    }
    if (flags.setText) {
        const int n = encodeArgument(valueAt(argv, slots.textArg), true, info.text,
                                     static_cast<int>(rpls::kTextCapacity), sizeControls, buffers);
        if (n < 0) return fail('I');
        rpls::setTextLength(info, n);
    }
    if (flags.setExtText) {
        const int n = encodeArgument(valueAt(argv, slots.extTextArg), true, info.extText,
                                     static_cast<int>(rpls::kTextCapacity), sizeControls, buffers);
        if (n < 0) return fail('E');
        info.extTextLength = n;
    }
    if (flags.setGenres && !setGenres(info, slots, argv)) return fail('G');
    return true;
}

}  // namespace app
