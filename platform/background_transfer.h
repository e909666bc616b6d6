// File transfers carried out one after the other, in the order they were started, on a worker
// thread that belongs to this object: the caller goes on working while the disk or the system
// cache is busy, and the disk gets one request at a time with no pause between them. Several
// users (an input and an output) may share one object; each collects its own transfers by
// their tickets. A transfer's buffer and file are left alone until it has been collected.
#pragma once

#include "platform/file.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace platform {

class BackgroundTransfer {
public:
    // Transfers that may be started and not yet collected.
    static constexpr std::int32_t kMaxQueued = 16;

    BackgroundTransfer();
    // Waits for the transfers started and stops the worker.
    ~BackgroundTransfer();
    BackgroundTransfer(const BackgroundTransfer&) = delete;
    BackgroundTransfer& operator=(const BackgroundTransfer&) = delete;

    // Starts `file.read(buffer, length)` or `file.write(buffer, length)`, at the file position
    // where the previous transfer on that file ended. After a write that fails, the writes
    // started behind it are not carried out and answer -1, so that nothing lands behind a gap.
    // Answers the transfer's ticket, or -1 when kMaxQueued transfers are uncollected or no
    // worker can be had: nothing was started then, and the caller may transfer the data itself.
    std::int64_t startRead(File& file, void* buffer, std::size_t length);
    std::int64_t startWrite(File& file, const void* buffer, std::size_t length);

    // The transfer has completed: collect will not wait.
    bool finished(std::int64_t ticket) const;
    // Waits for the transfer and answers what its file call answered.
    std::int64_t collect(std::int64_t ticket);

private:
    struct Worker;
    std::int64_t start(File& file, void* buffer, std::size_t length, bool isRead);

    std::unique_ptr<Worker> worker_;
};

}  // namespace platform
