#include "ts/find_event_section.h"

#include "ts/packet_walk.h"
#include "ts/section_crc32.h"
#include "ts/section_filters.h"

namespace ts {

namespace {

class EventScan {
public:
    EventScan(SectionBuffer& result, ScanWorkspace& workspace)
        : result_(result), pat_(workspace.collectors[0]), eit_(workspace.collectors[1]), sit_(workspace.collectors[2]) {
        pat_.reset();
        eit_.reset();
        sit_.reset();
    }

    // Answers true when the packet completed an accepted section.
    bool takePacket(const std::uint8_t* packet) {
        const std::uint16_t pid = packetPid(packet);
        SectionCollector* collector = nullptr;
        if (pid == kPidPat) {
            if (patFound_) return false;
            collector = &pat_;
        } else if (pid == kPidEit) {
            collector = &eit_;
        } else if (pid == kPidSit) {
            collector = &sit_;
        } else {
            return false;
        }
        return walkSectionChunks(packet, [&](std::span<const std::uint8_t> chunk, ChunkKind kind) {
            const std::span<const std::uint8_t> section = collector->add(chunk, kind);
            if (section.empty() || sectionCrc32(section) != 0) return false;
            return takeSection(pid, section);
        });
    }

    EventScanResult found() const { return found_; }

private:
    bool takeSection(std::uint16_t pid, std::span<const std::uint8_t> section) {
        const SectionView view = viewOf(section);
        switch (pid) {
            case kPidPat:
                programNumber_ = firstProgramNumber(view);
                patFound_ = programNumber_ != 0;
                return patFound_;  // ends this packet's walk: later PAT chunks are skipped
            case kPidEit:
                if (!patFound_ || !isPresentEventSection(view, programNumber_)) return false;
                return accept(section, EventScanResult::Eit);
            case kPidSit:
                if (!isSelectionSection(view)) return false;
                return accept(section, EventScanResult::Sit);
            default: return false;
        }
    }

    bool accept(std::span<const std::uint8_t> section, EventScanResult result) {
        storeSection(result_, section);
        found_ = result;
        return true;
    }

    SectionBuffer& result_;
    SectionCollector& pat_;
    SectionCollector& eit_;
    SectionCollector& sit_;
    bool patFound_ = false;
    std::uint16_t programNumber_ = 0;
    EventScanResult found_ = EventScanResult::NotFound;
};

}  // namespace

EventScanResult findEventSection(platform::File& file, int packetSize, SectionBuffer& result, int readStartPercent,
                                 ScanWorkspace& workspace) {
    TsReader& reader = workspace.reader;
    reader.setUp(file, packetSize);
    reader.seekToPercent(readStartPercent);
    EventScan scan(result, workspace);
    while (const std::uint8_t* packet = reader.nextPacket()) {
        if (scan.takePacket(packet + reader.syncOffset()) && scan.found() != EventScanResult::NotFound) {
            return scan.found();
        }
    }
    return EventScanResult::NotFound;
}

}  // namespace ts
