// Hands out fixed-size output slots from a ring of 141 blocks of 64 KiB and writes whole
// blocks behind them; while `hold` is set, the slots from the held one on stay in memory so
// that their headers can still be filled in. Full blocks are written in the background while
// the next slots are filled.
#pragma once

#include "io/block.h"
#include "io/queued_transfers.h"
#include "platform/aligned_buffer.h"
#include "platform/background_transfer.h"
#include "platform/file.h"

#include <cstdint>

namespace korvet {

class PacketWriter {
public:
    // 141 blocks is the least common multiple of 188, 192 and 65,536 bytes: no slot crosses
    // the ring's end, and the slot after the last is the first.
    static constexpr std::int32_t kRingBlocks = 141;
    static constexpr std::int32_t kRingSize = kRingBlocks * kBlockSize;
    // A background write is queued as soon as the least number of whole blocks is ready, and
    // takes at most the largest number; the queued writes run one after the other, so that the
    // disk does not wait for the converter. Unbuffered requests wait for the disk: 1 MiB
    // requests let the reads in between go out sooner than 4 MiB ones did (measured faster
    // with 64 KiB and 1 MiB reads alike). Buffered ones only copy into the system cache: 1 to
    // 2 MiB at a time keep the worker's wake-ups rare.
    static constexpr std::int32_t kLeastDiskWriteBlocks = 16;
    static constexpr std::int32_t kMostDiskWriteBlocks = 16;
    static constexpr std::int32_t kLeastCacheWriteBlocks = 16;
    static constexpr std::int32_t kMostCacheWriteBlocks = 32;

    // Creates the file, which must not exist, and allocates the ring. False after printing a
    // message.
    bool open(const char* path, std::int32_t packetSize, bool unbuffered);
    // The same on standard output: written through the system's buffering, never cut, and not
    // flushed to a disk at the end (a pipe has none).
    bool openStandardOutput(std::int32_t packetSize);

    // The next packet-size slot, or nullptr after printing a message (write error, or the
    // held slots filling the whole ring). Earlier slots stay writable while `hold` keeps them.
    std::uint8_t* nextSlot() {
        if (pending_ >= flushAt_) return nextSlotAfterWriting();
        return takeSlot();
    }

    // Full blocks are written behind through `transfer` (which must outlive the writer);
    // without it, each write waits until it is done.
    void writeBehindThrough(platform::BackgroundTransfer& transfer) { writeBehind_.attach(transfer); }

    // Set right after the slot that opens a held run has been handed out; cleared once the
    // headers of that run are filled in.
    void setHold(bool hold);
    bool hold() const { return hold_; }

    // Writes everything pending and cuts the file to its exact length. False after printing
    // the write-error message.
    bool close();

    std::int64_t written() const { return written_; }
    bool isUnbuffered() const { return unbuffered_; }
    const std::uint8_t* ring() const { return buffer_.data(); }

private:
    std::uint8_t* takeSlot() {
        std::uint8_t* slot = buffer_.data() + writePosition_;
        writePosition_ += packetSize_;
        if (writePosition_ == kRingSize) writePosition_ = 0;
        pending_ += packetSize_;
        return slot;
    }
    std::uint8_t* nextSlotAfterWriting();
    // The pending count at which nextSlot must look at the writes or check for overflow first.
    void updateFlushPoint();
    // Whole blocks in front of the held run (all whole blocks when nothing is held).
    std::int32_t writableBlocks() const { return (hold_ ? heldFrom_ : pending_) / kBlockSize; }
    std::int32_t inFlightBytes() const { return inFlightBlocks_ * kBlockSize; }
    // Collects the finished background writes (with `wait`, at least the oldest one, waiting for
    // it) and queues the blocks that are ready (with `wait` and no write left in flight, even
    // fewer than the least number).
    // False after printing the write-error message.
    bool moveBlocks(bool wait);
    // Waits for the oldest queued write; false after printing the write-error message.
    bool collectWrite();
    bool writeBlocks(std::int32_t count);
    bool writeAll(const std::uint8_t* data, std::int64_t length);
    bool trimFinalBlock();
    bool start(std::int32_t packetSize);

    platform::File file_;
    platform::File tailFile_;  // buffered handle on the same file, for the final cut
    platform::AlignedBuffer buffer_;
    std::int32_t packetSize_ = kTimestampedPacketSize;
    std::int64_t written_ = 0;
    std::int32_t leastBlocks_ = kLeastCacheWriteBlocks;
    std::int32_t mostBlocks_ = kMostCacheWriteBlocks;
    std::int32_t nextBlock_ = 0;       // the first block not yet given to a write
    std::int32_t inFlightBlocks_ = 0;  // blocks in front of the next block being written in the background
    std::int32_t pending_ = 0;         // bytes handed out and not written, from the next block's start
    std::int32_t writePosition_ = 0;   // ring offset of the next slot
    std::int32_t heldFrom_ = 0;        // while held: pending-relative offset of the first held byte
    std::int32_t flushAt_ = 0;
    bool hold_ = false;
    bool unbuffered_ = false;
    bool stream_ = false;
    bool open_ = false;
    // Declared last: stops before the file and the ring go away.
    QueuedTransfers writeBehind_;
};

}  // namespace korvet
