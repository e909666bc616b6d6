#include "stamp/pcr_timestamper.h"

#include "io/stream_copy.h"

namespace korvet {

// The slot's packet went into the ring with streaming stores and is no longer in the cache:
// the header goes the same way, so that its line is not read back from memory for 4 bytes.
void PcrTimestamper::writeTime(std::uint8_t* slot, std::int64_t time) {
    std::uint8_t bytes[4];
    const Header header(bytes, 4);
    if (fw192Output_)
        fw192Encoder_.encode(time, header);
    else
        encodeBd192Header(time, header);
    streamWord(slot, bytes);
}

std::uint8_t* PcrTimestamper::slotAfter(std::uint8_t* slot) const {
    // Consecutive slots are adjacent, except that the ring's last slot is followed by its first.
    if (segmentWrapped_ && slot == wrapLastSlot_) return wrapFirstSlot_;
    return slot + kSlotSize;
}

void PcrTimestamper::stampSegment(std::int32_t count, std::int64_t delta, std::int64_t divisor) {
    std::uint8_t* slot = segmentFirstSlot_;
    if (delta < 0 || divisor <= 0) {
        for (std::int32_t k = 1; k <= count; ++k) {
            writeTime(slot, timeBase_ + (k * delta) / divisor);
            if (k < count) slot = slotAfter(slot);
        }
        return;
    }
    // k × delta / divisor, rounded down, step by step: the quotient grows by delta / divisor and
    // one more whenever the remainders add up to a divisor. No division per packet.
    const std::int64_t step = delta / divisor;
    const std::int64_t stepRemainder = delta % divisor;
    std::int64_t quotient = 0;
    std::int64_t remainder = 0;
    for (std::int32_t k = 1; k <= count; ++k) {
        quotient += step;
        remainder += stepRemainder;
        if (remainder >= divisor) {
            ++quotient;
            remainder -= divisor;
        }
        writeTime(slot, timeBase_ + quotient);
        if (k < count) slot = slotAfter(slot);
    }
}

std::int32_t PcrTimestamper::closeInterval(std::int64_t delta, bool afterWait) {
    const std::int32_t count = packetCount_;
    // After a wait, the rate comes from the packets since the PCR that began the measurement;
    // it is applied to every packet since the last stamped one.
    const std::int64_t divisor = afterWait ? packetCount_ - countAtFirstPcr_ : packetCount_;
    stampSegment(count, delta, divisor);
    timeBase_ += afterWait ? (count * delta) / divisor : delta;
    lastIntervalDelta_ = delta;
    lastIntervalCount_ = static_cast<std::int32_t>(divisor);
    packetCount_ = 0;
    awaitingRate_ = false;
    startNewSegment_ = true;
    return static_cast<std::int32_t>(afterWait ? StampEvent::StampedAfterWait : StampEvent::Stamped);
}

std::int32_t PcrTimestamper::step(TsPacket packet, std::uint8_t* slot) {
    const bool pcrHere = carriesPcr(packet, pcrPid_);
    if (firstPacket_) {
        // The file's first packet is time 0; the second opens the first segment.
        firstPacket_ = false;
        writeTime(slot, 0);
        previousSlot_ = slot;
        if (!pcrHere) return static_cast<std::int32_t>(StampEvent::FirstPacketNoPcr);
        previousPcr_ = extractPcr(packet);
        awaitingRate_ = false;
        havePcr_ = true;
        return static_cast<std::int32_t>(StampEvent::FirstPacketPcr);
    }

    ++packetCount_;
    if (packetCount_ == kMaxSegmentPackets) return static_cast<std::int32_t>(StampEvent::PcrLost);

    std::int32_t segmentFlag = 0;
    if (startNewSegment_) {
        startNewSegment_ = false;
        segmentWrapped_ = false;
        segmentFirstSlot_ = slot;
        segmentFlag = kNewSegment;
    } else if (slot < previousSlot_) {
        segmentWrapped_ = true;
        wrapLastSlot_ = previousSlot_;
        wrapFirstSlot_ = slot;
    }
    previousSlot_ = slot;

    if (!pcrHere) return static_cast<std::int32_t>(StampEvent::NoPcr) | segmentFlag;

    const std::int64_t currentPcr = extractPcr(packet);
    std::int64_t delta = currentPcr - previousPcr_;
    if (currentPcr < previousPcr_) delta += kPcrWrap;

    if (!havePcr_) {
        previousPcr_ = currentPcr;
        awaitingRate_ = true;
        havePcr_ = true;
        countAtFirstPcr_ = packetCount_;
        return static_cast<std::int32_t>(StampEvent::FirstPcrLater) | segmentFlag;
    }
    if (delta > kMaxPcrStep) {
        const bool wasAwaiting = awaitingRate_;
        previousPcr_ = currentPcr;
        awaitingRate_ = true;
        countAtFirstPcr_ = packetCount_;
        const StampEvent event = wasAwaiting ? StampEvent::DiscontinuityAgain : StampEvent::Discontinuity;
        return static_cast<std::int32_t>(event) | segmentFlag;
    }
    const std::int32_t result = closeInterval(delta, awaitingRate_);
    previousPcr_ = currentPcr;
    return result;
}

FinishResult PcrTimestamper::finish() {
    if (packetCount_ == 0) return FinishResult::NothingPending;
    if (lastIntervalCount_ > 0) {
        stampSegment(packetCount_, lastIntervalDelta_, lastIntervalCount_);
    } else {
        // No interval was ever stamped, so there is no rate: the pending packets keep the
        // time of the last stamped packet.
        stampSegment(packetCount_, 0, 1);
    }
    return FinishResult::PendingStamped;
}

}  // namespace korvet
