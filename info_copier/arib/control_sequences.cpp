// Control sequences (CSI P1;P2;... [SP] F). Only XCS acts: with the single parameter 0 it
// starts a region whose characters are not output, with 1 it ends it.
#include "arib/control_set.h"
#include "arib/decoder_steps.h"

namespace arib {
namespace {

constexpr int kMaxParameters = 4;
constexpr std::uint8_t kSeparator = 0x3B;  // ';'
// Large values only need to stay large: capping keeps the arithmetic from overflowing.
constexpr int kParameterCap = 100000;
// Final bytes lie in 0x42..0x6F; any other byte after the parameters ends the sequence unread.

}  // namespace

std::size_t applyControlSequence(std::span<const std::uint8_t> rest, DecoderOutput& output) {
    std::size_t position = 1;
    int parameter = 0;
    int separators = 0;
    for (;; ++position) {
        if (position >= rest.size()) return rest.size();
        std::uint8_t byte = rest[position];
        if (byte >= '0' && byte <= '9') {
            parameter = parameter >= kParameterCap ? kParameterCap : parameter * 10 + (byte - '0');
        } else if (byte == kSeparator) {
            // Past four parameters the sequence is not one of ours: it ends here, unread.
            if (++separators == kMaxParameters) return position + 1;
            parameter = 0;
        } else {
            break;
        }
    }
    std::uint8_t final = rest[position++];
    if (final == c0::SP) {  // an intermediate byte, the final byte follows
        if (position >= rest.size()) return rest.size();
        final = rest[position++];
    }
    if (final == csi::XCS && separators == 0) {
        if (parameter == 0) output.suppressed = true;
        if (parameter == 1) output.suppressed = false;
    }
    return position;
}

}  // namespace arib
