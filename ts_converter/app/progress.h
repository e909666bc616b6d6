// The progress line: the whole percentage of the input consumed, shown only when it grows.
#pragma once

#include <cstdint>

namespace korvet {

class Progress {
public:
    explicit Progress(bool silent) : silent_(silent) {}

    // Prints the 0% line (unless silent).
    void start();
    // Prints the line when the percentage of `consumed` in `total` has grown.
    void update(std::int64_t consumed, std::int64_t total);
    std::int32_t lastShown() const { return lastShown_; }

private:
    bool silent_;
    std::int32_t lastShown_ = 0;
};

}  // namespace korvet
