// The parsed KORVET command line.
#pragma once

#include <cstdint>

namespace korvet {

struct ConvertOptions {
    bool bd192ToFw192 = false;  // the default conversion
    bool fw192ToBd192 = false;  // -r
    bool cycle3000 = false;     // -p: 3000 FW192 offset ticks per cycle instead of 3072
    bool toTs188 = false;       // -n
    bool ts188ToBd192 = false;  // -b
    bool ts188ToFw192 = false;  // -f
    bool unbuffered = true;     // -x clears it
    bool pcrPidGiven = false;   // -t
    bool trace = false;         // -d
    bool check = false;         // --check: count drops, errors and scrambled packets
    bool json = false;          // --json: the check's figures as one JSON object on standard output
};

// `-` as a file name: standard input for the input, standard output for the output.
inline bool namesStandardStream(const char* name) { return name[0] == '-' && name[1] == '\0'; }

struct ConvertArgs {
    std::int32_t inputArg = 0;    // argv index of the input name; 0 = not given
    std::int32_t outputArg = 0;   // argv index of the output name; 0 = not given
    std::int32_t readBlocks = 1;  // -v: 64 KiB blocks per input batch
    std::int32_t pcrPid = 0;      // -t
};

}  // namespace korvet
