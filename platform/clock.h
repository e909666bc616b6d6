#pragma once

#include <cstdint>

namespace platform {

// Milliseconds of a steady clock; only differences are meaningful.
std::uint64_t steadyMilliseconds();

}  // namespace platform
