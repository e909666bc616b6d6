// Delivers an input file as fixed-size packets (188 or 192 bytes), read in batches of whole
// 64 KiB blocks, regaining packet alignment where the sync byte is missing.
#pragma once

#include "io/block.h"
#include "io/delivery_observer.h"
#include "platform/aligned_buffer.h"
#include "platform/file.h"

#include <cstdint>
#include <span>

namespace korvet {

enum class ReadStatus { Packet, End, Failed };

class PacketReader {
public:
    // Largest batch whose buffer, (blocks + 1) blocks, keeps every byte count within 32 bits.
    static constexpr std::int32_t kMaxBlocksPerBatch = 0x7FFFFFFF / kBlockSize - 1;
    // Least blocks per read call for buffered input: 256 KiB, few calls, and the batch still
    // in the processor's own cache while it is converted.
    static constexpr std::int32_t kLeastCachedBatchBlocks = 4;
    // Least blocks per read from standard input: a pipe hands over what its writer has put in,
    // and fewer, larger batches mean fewer turns between the writer and this reader (1 MiB,
    // also the span in which PCR PID discovery must find its tables on a pipe).
    static constexpr std::int32_t kLeastStreamBatchBlocks = 16;

    // Opens the file and allocates the buffer; reads nothing. False after printing a message.
    bool open(const char* path, std::int32_t packetSize, std::int32_t blocksPerBatch, bool unbuffered);
    // The same on standard input: read through the system's buffering, at least
    // kLeastStreamBatchBlocks at a time, of unknown size
    // (fileSize() is -1), and never read twice: rewind only goes back within the first batch.
    bool openStandardInput(std::int32_t packetSize, std::int32_t blocksPerBatch);

    // Positions the reader at the first byte of the file; `consumed` restarts at 0.
    // Must precede the first nextPacket. False after printing a message.
    bool rewind();

    // Packet: `packet` points at packetSize contiguous bytes, valid until the next call.
    // End: the input is exhausted (a remainder too short for a packet has been counted).
    // Failed: a read error, whose message has been printed, or the user's interruption
    // (interrupted() then tells, and nothing has been printed). The interruption is looked at
    // before each batch is read, never per packet.
    ReadStatus nextPacket(const std::uint8_t*& packet) {
        if (unconsumed() >= packetSize_ && syncAt(readIndex_)) {
            packet = take();
            return ReadStatus::Packet;
        }
        return nextPacketSlow(packet);
    }

    // The same for a reader whose packets only go to the observer (a check): takes every
    // packet in a row that the batch holds in one step. Packet when it took at least one.
    ReadStatus passPackets() {
        const std::uint8_t* packet = nullptr;
        const ReadStatus status = nextPacket(packet);
        if (status != ReadStatus::Packet) return status;
        std::int32_t end = readIndex_;
        while (filled_ - end >= packetSize_ && syncAt(end)) end += packetSize_;
        consumed_ += end - readIndex_;
        readIndex_ = end;
        return status;
    }

    // After rewind: the bytes of the first batch, and whether they are the whole file.
    std::span<const std::uint8_t> firstBatch() const {
        return windowOffset_ == 0 && filled_ > 0
                   ? std::span<const std::uint8_t>(dataArea_, static_cast<std::size_t>(filled_))
                   : std::span<const std::uint8_t>();
    }
    bool firstBatchIsWholeFile() const { return windowOffset_ == 0 && endOfFile_; }
    // The packet size may change after the first batch was read (a check finds it from the
    // data); the next rewind starts delivering packets of the new size.
    void setPacketSize(std::int32_t packetSize) { packetSize_ = packetSize; }
    // While confined, the reader delivers nothing beyond its first batch (the input then seems
    // to end there), so that a stream can still be rewound: PCR PID discovery on a pipe.
    void confineToFirstBatch(bool confined) { confined_ = confined; }
    bool isStream() const { return stream_; }
    // While a check still looks for the packet size beyond the first batch: the bytes read and
    // not consumed, whether the input has more, and a step over all but the last `keep` of them
    // (counted as consumed) to the next batch, read behind those. False after a read error,
    // whose message has been printed, or the user's interruption (interrupted() then tells).
    std::span<const std::uint8_t> unconsumedBytes() const {
        return std::span<const std::uint8_t>(dataArea_ + readIndex_, static_cast<std::size_t>(unconsumed()));
    }
    bool hasMoreInput() const { return dataArea_ != nullptr && !endOfFile_ && !confined_; }
    bool passOverAllBut(std::int32_t keep);
    // Every packet delivered from now on also goes to `observer` (nullptr: none), a run of
    // contiguous packets at a time; flushDelivered() hands over the run so far at once.
    void observeDeliveries(DeliveryObserver* observer) {
        observer_ = observer;
        runStart_ = readIndex_;
    }
    void flushDelivered() {
        if (observer_ != nullptr && readIndex_ > runStart_)
            observer_->delivered(
                std::span<const std::uint8_t>(dataArea_ + runStart_, static_cast<std::size_t>(readIndex_ - runStart_)),
                packetSize_);
        runStart_ = readIndex_;
    }
    bool interrupted() const { return interrupted_; }

    void setReportRemoved(bool report) { reportRemoved_ = report; }
    std::int32_t packetSize() const { return packetSize_; }
    std::int64_t consumed() const { return consumed_; }
    std::int64_t fileSize() const { return fileSize_; }
    bool isUnbuffered() const { return file_.isUnbuffered(); }
    void close();

private:
    std::int32_t unconsumed() const { return filled_ - readIndex_; }
    bool allocate(std::int32_t blocksPerBatch);
    bool readBatch();
    bool readFirstStreamBatch();
    // Reads the first batch into the data area, the window at the input's start.
    bool readFromStart();
    bool refill();
    // Makes `needed` bytes unconsumed where the file still has them; false on a read error.
    bool ensure(std::int32_t needed);
    ReadStatus dropRemainder();
    ReadStatus resynchronise(const std::uint8_t*& packet);
    ReadStatus nextPacketSlow(const std::uint8_t*& packet);
    bool syncAt(std::int32_t packetStart) const {
        return dataArea_[packetStart + packetSize_ - kTsPacketSize] == kSyncByte;
    }
    const std::uint8_t* take() {
        const std::uint8_t* packet = dataArea_ + readIndex_;
        readIndex_ += packetSize_;
        consumed_ += packetSize_;
        return packet;
    }

    platform::File file_;
    platform::AlignedBuffer buffer_;
    std::int32_t packetSize_ = kTsPacketSize;
    std::int64_t consumed_ = 0;
    std::int64_t fileSize_ = 0;
    std::int32_t blocksPerBatch_ = 1;
    std::int64_t windowOffset_ = -1;    // file offset of the data area's first byte; -1 before any read
    std::uint8_t* dataArea_ = nullptr;  // one block into the buffer; the first block carries a tail over
    std::int32_t filled_ = 0;
    std::int32_t readIndex_ = 0;  // negative while the next byte lies in the carry area
    std::int32_t runStart_ = 0;   // first byte of the delivered packets not yet observed
    DeliveryObserver* observer_ = nullptr;
    bool endOfFile_ = false;
    bool reportRemoved_ = true;
    bool interrupted_ = false;
    bool stream_ = false;
    bool confined_ = false;
};

}  // namespace korvet
