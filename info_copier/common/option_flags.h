// The parsed command line of tolvane.
#pragma once

#include <cstdint>

namespace common {

// One switch each. Lower-case letters copy a field group from the source, upper-case ones
// set it from a value on the command line.
struct OptionFlags {
    bool copyDate = false;           // d
    bool copyStartTime = false;      // t
    bool copyDuration = false;       // p
    bool copyZone = false;           // z
    bool copyCodePair = false;       // m
    bool copyPrivateCode = false;    // s
    bool copyChannelName = false;    // c
    bool copyChannelNumber = false;  // n
    bool copyTitle = false;          // b
    bool copyText = false;           // i
    bool copyExtText = false;        // e
    bool joinTexts = false;          // x
    bool copyGenres = false;         // g
    bool setDate = false;            // D
    bool setStartTime = false;       // T
    bool setDuration = false;        // P
    bool setZone = false;            // Z
    bool setCodePair = false;        // M
    bool setPrivateCode = false;     // S
    bool setChannelName = false;     // C
    bool setChannelNumber = false;   // N
    bool setTitle = false;           // B
    bool setText = false;            // I
    bool setExtText = false;         // E
    bool setGenres = false;          // G
    bool sizeControls = true;        // cleared by w

    bool anyCopy() const {
        return copyDate || copyStartTime || copyDuration || copyZone || copyCodePair || copyPrivateCode ||
               copyChannelName || copyChannelNumber || copyTitle || copyText || copyExtText || joinTexts || copyGenres;
    }
    bool anyParameter() const {
        return setDate || setStartTime || setDuration || setZone || setCodePair || setPrivateCode || setChannelName ||
               setChannelNumber || setTitle || setText || setExtText || setGenres;
    }
};

// Positions in the argument list. For the value options: 0 = not given, -1 = given as the
// last argument with no value behind it, otherwise the position of the value.
struct ArgumentSlots {
    std::int32_t sourceArg = 0;
    std::int32_t destinationArg = 0;
    std::int32_t dateArg = 0;
    std::int32_t startTimeArg = 0;
    std::int32_t durationArg = 0;
    std::int32_t zoneArg = 0;
    std::int32_t codePairArg = 0;
    std::int32_t privateCodeArg = 0;
    std::int32_t channelNameArg = 0;
    std::int32_t channelNumberArg = 0;
    std::int32_t titleArg = 0;
    std::int32_t textArg = 0;
    std::int32_t extTextArg = 0;
    std::int32_t genreArgs[3] = {0, 0, 0};
    std::int32_t readStartPercent = 50;
};

}  // namespace common
