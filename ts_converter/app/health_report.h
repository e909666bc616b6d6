// The figures of a stream check: a table for people, or one JSON object for scripts.
#pragma once

#include "health/stream_health.h"

#include <cstdint>

namespace korvet {

struct HealthSummary {
    const char* inputName;
    std::int32_t packetSize;
    // Input bytes in no delivered packet: garbage skipped and a last partial packet.
    std::int64_t removedBytes;
    // False when the run was interrupted: the figures cover the input read until then.
    bool complete;
};

// One row per PID that had packets, in ascending order, a totals row, the removed bytes and
// the packet size, printed with the messages.
void printHealthTable(const StreamHealth& health, const HealthSummary& summary);

// The same as one JSON object on standard output (and nothing else there). False when it
// cannot be written.
bool writeHealthJson(const StreamHealth& health, const HealthSummary& summary);

// Whether the stream is clean: no drops, errors, scrambled packets or removed bytes.
bool isClean(const StreamHealth& health, const HealthSummary& summary);

}  // namespace korvet
