// Random RPLS images through the reader and the patcher. The first two bytes choose the copied
// field groups, the next two (big-endian) the size of the source image; the destination image
// is what is left. Each image lies in a buffer of exactly its size, so that any access past it
// is caught.
#include <cstdint>
#include <cstring>
#include <vector>

#include "common/option_flags.h"
#include "rpls/fuzz/record_bounds.h"
#include "rpls/patch_destination.h"
#include "rpls/read_rpls_info.h"

namespace {

common::OptionFlags flagsFrom(std::uint16_t bits) {
    common::OptionFlags flags;
    bool* const groups[] = {&flags.copyDate,        &flags.copyStartTime,     &flags.copyDuration,
                            &flags.copyZone,        &flags.copyCodePair,      &flags.copyPrivateCode,
                            &flags.copyChannelName, &flags.copyChannelNumber, &flags.copyTitle,
                            &flags.copyText,        &flags.copyExtText,       &flags.joinTexts,
                            &flags.copyGenres,      &flags.sizeControls};
    for (std::size_t i = 0; i < sizeof groups / sizeof groups[0]; ++i) *groups[i] = (bits >> i & 1u) != 0;
    // The command line never combines the joined text with either description.
    if (flags.joinTexts) flags.copyText = flags.copyExtText = false;
    return flags;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kHeaderSize = 4;
    if (size < kHeaderSize) return 0;
    const common::OptionFlags flags = flagsFrom(static_cast<std::uint16_t>(data[0] | data[1] << 8));
    std::size_t sourceSize = static_cast<std::size_t>(data[2] << 8 | data[3]);
    if (sourceSize > size - kHeaderSize) sourceSize = size - kHeaderSize;
    std::vector<std::uint8_t> source(data + kHeaderSize, data + kHeaderSize + sourceSize);
    std::vector<std::uint8_t> destination(data + kHeaderSize + sourceSize, data + size);

    static rpls::ProgramInfo info;
    std::memset(&info, 0, sizeof info);
    const bool sourceHasExtText = rpls::fillFromRplsImage({source.data(), source.size()}, info);
    if (!rpls::lengthsInsideFields(info)) __builtin_trap();

    if (rpls::isPatchableImage({destination.data(), destination.size()})) {
        rpls::patchDestination({destination.data(), destination.size()}, info, flags, sourceHasExtText);
        // The patched image reads back like any other.
        std::memset(&info, 0, sizeof info);
        rpls::fillFromRplsImage({destination.data(), destination.size()}, info);
        if (!rpls::lengthsInsideFields(info)) __builtin_trap();
    }
    return 0;
}
