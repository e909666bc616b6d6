#include "ts/selection_section.h"

#include <cstdint>

#include "ts/descriptors.h"
#include "ts/network_key_table.h"

namespace ts {

namespace {

constexpr int kTransmissionInfoStart = 10;
constexpr int kServiceHeaderLength = 4;
constexpr std::uint16_t kMediaTypeForNameBlocks = 0x4353;
constexpr std::uint16_t kMediaTypeTerrestrial = 0x5442;

// What the transmission-information loop tells about the stream.
struct TransmissionInfo {
    std::uint16_t mediaType = 0xFFFF;
    std::uint16_t networkId = 0;
    std::uint8_t keyId = 0;

    // Form A: names and text in descriptors 0xB2 and 0x83, copied as coded.
    bool hasNameBlocks() const { return mediaType == kMediaTypeForNameBlocks && (networkId == 1 || networkId == 3); }
};

TransmissionInfo readTransmissionInfo(const SectionView& sit, int loopEnd) {
    TransmissionInfo result;
    for (int offset = kTransmissionInfoStart; offset < loopEnd;) {
        const SectionView d = descriptorAt(sit, static_cast<std::uint64_t>(offset));
        switch (static_cast<DescriptorTag>(descriptorTag(d))) {
            case DescriptorTag::NetworkIdentification:
                result.mediaType = d.be16(5);
                result.networkId = d.be16(7);
                break;
            case DescriptorTag::TsInformation: result.keyId = d.byteAt(2); break;
            default: break;
        }
        offset += descriptorLength(d) + 2;
    }
    return result;
}

void clearGenres(rpls::ProgramInfo& info) {
    for (rpls::GenreEntry& genre : info.genres) genre = {0, 0};
}

// Two blocks of (length, kind, text), the length counting the kind byte; only kind 1 is
// taken. The first block is the channel name, the second the title.
void applyNameBlocks(const SectionView& d, rpls::ProgramInfo& info) {
    if (d.byteAt(3) != 1) return;
    const int nameBlock = d.byteAt(2);
    int nameLength = nameBlock > 0 ? nameBlock - 1 : 0;
    if (nameLength > static_cast<int>(sizeof info.channelName)) nameLength = static_cast<int>(sizeof info.channelName);
    info.channelNameLength = static_cast<std::uint8_t>(nameLength);
    d.copyOut(4, static_cast<std::size_t>(nameLength), info.channelName);

    const int titleBlock = d.byteAt(static_cast<std::uint64_t>(nameBlock) + 3);
    const int titleLength = titleBlock > 0 ? titleBlock - 1 : 0;  // at most 254
    info.titleLength = static_cast<std::uint8_t>(titleLength);
    d.copyOut(static_cast<std::uint64_t>(nameBlock) + 5, static_cast<std::size_t>(titleLength), info.title);
}

// Appends a text descriptor's bytes after its first payload byte, up to the field's end.
int appendCodedText(const SectionView& d, rpls::ProgramInfo& info, int count) {
    const int length = descriptorLength(d) - 1;
    const int room = static_cast<int>(sizeof info.extText) - count;
    const int take = length < room ? length : room;
    if (take <= 0) return count;
    d.copyOut(3, static_cast<std::size_t>(take), info.extText + count);
    return count + take;
}

void applyFormAService(const SectionView& sit, int loopStart, int loopEnd, rpls::ProgramInfo& info) {
    int count = 0;
    for (int offset = loopStart; offset < loopEnd;) {
        const SectionView d = descriptorAt(sit, static_cast<std::uint64_t>(offset));
        switch (static_cast<DescriptorTag>(descriptorTag(d))) {
            case DescriptorTag::SelectionText: count = appendCodedText(d, info, count); break;
            case DescriptorTag::SelectionNames: applyNameBlocks(d, info); break;
            case DescriptorTag::PartialTsTime: applyPartialTsTimeDescriptor(d, info); break;
            default: break;
        }
        offset += descriptorLength(d) + 2;
    }
    info.extTextLength = count;
}

std::uint16_t selectionChannelNumber(std::uint16_t serviceId, const TransmissionInfo& transmission) {
    if (transmission.mediaType != kMediaTypeTerrestrial) return static_cast<std::uint16_t>(serviceId & 0x3FF);
    const std::uint32_t keyId = transmission.keyId != 0 ? transmission.keyId : lookupKeyId(transmission.networkId);
    return deriveChannelNumber(serviceId, keyId);
}

}  // namespace

void parseSelectionSection(const SectionView& sit, rpls::ProgramInfo& info, ExtTextAssembly& assembly) {
    clearGenres(info);
    const int servicesStart = kTransmissionInfoStart + (sit.be16(8) & 0x0FFF);
    const TransmissionInfo transmission = readTransmissionInfo(sit, servicesStart);
    const bool formA = transmission.hasNameBlocks();
    const int crcStart = sectionLength(sit) - 1;

    assembly.restart();
    for (int entry = servicesStart; entry < crcStart;) {
        const SectionView service = descriptorAt(sit, static_cast<std::uint64_t>(entry));
        const std::uint16_t serviceId = service.be16(0);
        const int loopStart = entry + kServiceHeaderLength;
        const int loopEnd = loopStart + (service.be16(2) & 0x0FFF);
        if (formA) {
            setChannelNumber(info, static_cast<std::uint16_t>(serviceId & 0x3FF));
            applyFormAService(sit, loopStart, loopEnd, info);
        } else {
            setChannelNumber(info, selectionChannelNumber(serviceId, transmission));
            assembly.restart();
            for (int offset = loopStart; offset < loopEnd;) {
                offset += applyProgrammeDescriptor(descriptorAt(sit, static_cast<std::uint64_t>(offset)), info,
                                                   assembly, DescriptorScope::Selection);
            }
        }
        entry = loopEnd;
    }
    if (!formA) {
        assembly.flush();
        assembly.storeInto(info);
    }
}

}  // namespace ts
