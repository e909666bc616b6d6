#include "app/progress.h"

#include "app/messages.h"
#include "platform/console.h"

namespace korvet {

void Progress::start() {
    lastShown_ = 0;
    if (silent_) return;
    platform::print(msg::kProgressStart);
    platform::flushConsole();
}

void Progress::update(std::int64_t consumed, std::int64_t total) {
    if (total <= 0) return;
    const std::int64_t percent = consumed * 100 / total;
    if (percent <= lastShown_) return;
    lastShown_ = static_cast<std::int32_t>(percent);
    if (silent_) return;
    platform::print(msg::kProgress, lastShown_);
    platform::flushConsole();
}

}  // namespace korvet
