// Hands out fixed-size output slots from a ring of 141 blocks of 64 KiB and writes whole
// blocks behind them; while `hold` is set, the slots from the held one on stay in memory so
// that their headers can still be filled in.
#pragma once

#include "io/block.h"
#include "platform/aligned_buffer.h"
#include "platform/file.h"

#include <cstdint>

namespace korvet {

class PacketWriter {
public:
    // 141 blocks is the least common multiple of 188, 192 and 65,536 bytes: no slot crosses
    // the ring's end, and the slot after the last is the first.
    static constexpr std::int32_t kRingBlocks = 141;
    static constexpr std::int32_t kRingSize = kRingBlocks * kBlockSize;
    // Unbuffered writes wait for the disk, so whole blocks gather into requests of this many
    // (4 MiB). Buffered writes only copy into the page cache, where a block written as soon as
    // it is full (still warm in the processor's cache, small page-cache allocations) costs least.
    static constexpr std::int32_t kBlocksPerDiskWrite = 64;

    // Creates the file, which must not exist, and allocates the ring. False after printing a
    // message.
    bool open(const char* path, std::int32_t packetSize, bool unbuffered);

    // The next packet-size slot, or nullptr after printing a message (write error, or the
    // held slots filling the whole ring). Earlier slots stay writable while `hold` keeps them.
    std::uint8_t* nextSlot() {
        if (pending_ >= flushAt_) return nextSlotAfterWriting();
        return takeSlot();
    }

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
    // The pending count at which nextSlot must write blocks or check for overflow first.
    void updateFlushPoint();
    bool writeBlocks(std::int32_t count);
    bool writeAll(const std::uint8_t* data, std::int64_t length);
    bool trimFinalBlock();

    platform::File file_;
    platform::File tailFile_;  // buffered handle on the same file, for the final cut
    platform::AlignedBuffer buffer_;
    std::int32_t packetSize_ = kTimestampedPacketSize;
    std::int64_t written_ = 0;
    std::int32_t mergeBytes_ = kBlockSize;
    std::int32_t nextBlock_ = 0;
    std::int32_t pending_ = 0;        // bytes handed out and not written, from the next block's start
    std::int32_t writePosition_ = 0;  // ring offset of the next slot
    std::int32_t heldFrom_ = 0;       // while held: pending-relative offset of the first held byte
    std::int32_t flushAt_ = 0;
    bool hold_ = false;
    bool unbuffered_ = false;
    bool open_ = false;
};

}  // namespace korvet
