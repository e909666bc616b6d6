#include "app/progress.h"

#include "common/messages.h"
#include "platform/clock.h"
#include "platform/console.h"

#include <limits>

namespace korvet {

std::int64_t Progress::thresholdAfter(std::int32_t percent) const {
    if (total_ <= 0 || percent >= 100) return std::numeric_limits<std::int64_t>::max();
    // consumed × 100 / total > percent  ⇔  consumed ≥ ceil((percent + 1) × total / 100)
    const std::int64_t product = (percent + 1) * total_;
    return product / 100 + (product % 100 != 0 ? 1 : 0);
}

void Progress::start() {
    lastShown_ = 0;
    if (total_ < 0) {
        nextThreshold_ = kByteStep;
        lastLineMs_ = platform::steadyMilliseconds();
        if (silent_) return;
        platform::print(label_ == ProgressLabel::Checking ? msg::kCheckProgressBytes : msg::kProgressBytes, 0LL);
        platform::flushConsole();
        return;
    }
    nextThreshold_ = thresholdAfter(0);
    if (silent_) return;
    platform::print(label_ == ProgressLabel::Checking ? msg::kCheckProgressStart : msg::kProgressStart);
    platform::flushConsole();
}

void Progress::advance(std::int64_t consumed) {
    if (total_ < 0) {
        advanceBytes(consumed);
        return;
    }
    const std::int64_t percent = consumed * 100 / total_;
    if (percent <= lastShown_) return;
    lastShown_ = static_cast<std::int32_t>(percent);
    nextThreshold_ = thresholdAfter(lastShown_);
    if (silent_) return;
    platform::print(label_ == ProgressLabel::Checking ? msg::kCheckProgress : msg::kProgress, lastShown_);
    platform::flushConsole();
}

void Progress::advanceBytes(std::int64_t consumed) {
    nextThreshold_ = consumed + kByteStep;
    if (silent_) return;
    const std::uint64_t now = platform::steadyMilliseconds();
    if (now - lastLineMs_ < kLeastByteLineMs) return;
    lastLineMs_ = now;
    platform::print(label_ == ProgressLabel::Checking ? msg::kCheckProgressBytes : msg::kProgressBytes,
                    static_cast<long long>(consumed));
    platform::flushConsole();
}

}  // namespace korvet
