#include "ts/sit.h"

#include <cstdint>

#include "ts/broadcast_date.h"
#include "ts/descriptors.h"
#include "ts/network_key_table.h"

namespace ts {

namespace {

constexpr std::uint16_t kMediaTypeForNameBlocks = 0x4353;
constexpr std::uint16_t kMediaTypeTerrestrial = 0x5442;
constexpr std::uint8_t kNameCapacity = rpls::kChannelNameCapacity;
constexpr int kExtTextCapacity = static_cast<int>(rpls::kTextCapacity);

// What the transmission-information loop tells about the stream.
struct TransmissionInfo {
    std::uint16_t mediaType = 0xFFFF;
    std::uint16_t networkId = 0;
    std::uint8_t keyId = 0;

    // Form A: names and text in descriptors 0xB2 and 0x83, copied as coded.
    bool hasNameBlocks() const { return mediaType == kMediaTypeForNameBlocks && (networkId == 1 || networkId == 3); }
};

TransmissionInfo readTransmissionInfo(const SectionView& sit, std::uint64_t start, std::uint64_t end) {
    TransmissionInfo result;
    forEachDescriptor(sit, start, end, [&](const Descriptor& d) {
        FieldCursor c(d.payload);
        if (hasTag(d, DescriptorTag::NetworkIdentification)) {
            c.skip(3);  // country_code
            result.mediaType = c.u16();
            result.networkId = c.u16();
        } else if (hasTag(d, DescriptorTag::TsInformation)) {
            result.keyId = c.u8();  // remote_control_key_id
        }
    });
    return result;
}

// Two blocks of (length, kind, text), the length counting the kind byte; only kind 1 is
// taken. The first block is the channel name, the second the title.
void applyNameBlocks(const Descriptor& d, rpls::ProgramInfo& info) {
    FieldCursor c(d.payload);
    const std::uint8_t nameBlock = c.u8();
    if (c.u8() != 1) return;
    const std::uint8_t nameLength = nameBlock > 0 ? static_cast<std::uint8_t>(nameBlock - 1) : 0;
    info.channelNameLength = nameLength < kNameCapacity ? nameLength : kNameCapacity;
    c.copyTo(info.channelNameLength, info.channelName);

    c.seek(1 + std::uint64_t{nameBlock});  // the second block, behind the first one's text
    const std::uint8_t titleBlock = c.u8();
    c.u8();                                                                             // its kind, not looked at
    info.titleLength = titleBlock > 0 ? static_cast<std::uint8_t>(titleBlock - 1) : 0;  // at most 254
    c.copyTo(info.titleLength, info.title);
}

// Appends a text descriptor's bytes after its first payload byte, up to the field's end.
int appendCodedText(const Descriptor& d, rpls::ProgramInfo& info, int count) {
    const int length = d.length - 1;
    const int room = kExtTextCapacity - count;
    const int take = length < room ? length : room;
    if (take <= 0) return count;
    FieldCursor c(d.payload);
    c.u8();
    c.copyTo(static_cast<std::size_t>(take), info.extText + count);
    return count + take;
}

void applyFormAService(const SectionView& sit, std::uint64_t loopStart, std::uint64_t loopEnd,
                       rpls::ProgramInfo& info) {
    int count = 0;
    forEachDescriptor(sit, loopStart, loopEnd, [&](const Descriptor& d) {
        switch (static_cast<DescriptorTag>(d.tag)) {
            case DescriptorTag::SelectionText: count = appendCodedText(d, info, count); break;
            case DescriptorTag::SelectionNames: applyNameBlocks(d, info); break;
            case DescriptorTag::PartialTsTime: applyPartialTsTimeDescriptor(d, info); break;
            default: break;
        }
    });
    info.extTextLength = count;
}

// The low ten bits of the service_id.
std::uint16_t serviceChannelNumber(std::uint16_t serviceId) { return static_cast<std::uint16_t>(serviceId & 0x3FF); }

std::uint16_t selectionChannelNumber(std::uint16_t serviceId, const TransmissionInfo& transmission) {
    if (transmission.mediaType != kMediaTypeTerrestrial) return serviceChannelNumber(serviceId);
    const std::uint32_t keyId = transmission.keyId != 0 ? transmission.keyId : lookupKeyId(transmission.networkId);
    return deriveChannelNumber(serviceId, keyId);
}

}  // namespace

void parseSelectionSection(const SectionView& sit, rpls::ProgramInfo& info, ExtTextAssembly& assembly) {
    clearGenres(info);
    FieldCursor c(sit);
    const SectionHeader header = readSectionHeader(c);
    c.bits(4);  // reserved_future_use
    const std::uint64_t transmissionInfoLength = c.bits(12);
    const std::uint64_t servicesStart = c.offset() + transmissionInfoLength;
    const TransmissionInfo transmission = readTransmissionInfo(sit, c.offset(), servicesStart);
    const bool formA = transmission.hasNameBlocks();

    assembly.restart();
    for (c.seek(servicesStart); c.isBefore(crcStart(header));) {
        const std::uint16_t serviceId = c.u16();
        c.bits(4);                                    // reserved_future_use, running_status
        const std::uint64_t loopLength = c.bits(12);  // service_loop_length
        const std::uint64_t loopStart = c.offset();
        const std::uint64_t loopEnd = loopStart + loopLength;
        if (formA) {
            setChannelNumber(info, serviceChannelNumber(serviceId));
            applyFormAService(sit, loopStart, loopEnd, info);
        } else {
            setChannelNumber(info, selectionChannelNumber(serviceId, transmission));
            assembly.restart();
            forEachDescriptor(sit, loopStart, loopEnd, [&](const Descriptor& d) {
                return applyProgrammeDescriptor(d, info, assembly, DescriptorScope::Selection);
            });
        }
        c.seek(loopEnd);
    }
    if (!formA) {
        assembly.flush();
        assembly.storeInto(info);
    }
}

}  // namespace ts
