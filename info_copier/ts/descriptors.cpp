#include "ts/descriptors.h"

#include "ts/broadcast_date.h"

namespace ts {

namespace {

constexpr std::uint8_t kContentUserDefinedLevel1 = 0xE0;

SectionView subView(const SectionView& d, std::uint64_t offset, std::uint64_t length) {
    const std::span<const std::uint8_t> bytes = boundedBytes(d, offset, length);
    return SectionView(bytes.data(), bytes.size());
}

}  // namespace

void applyServiceDescriptor(const SectionView& d, rpls::ProgramInfo& info) {
    const int providerNameLength = d.byteAt(3);
    const int nameLength = d.byteAt(4 + static_cast<std::uint64_t>(providerNameLength));
    const int capacity = static_cast<int>(sizeof info.channelName);
    const int kept = nameLength < capacity ? nameLength : capacity;
    info.channelNameLength = static_cast<std::uint8_t>(kept);
    d.copyOut(5 + static_cast<std::uint64_t>(providerNameLength), static_cast<std::size_t>(kept), info.channelName);
}

void applyShortEventDescriptor(const SectionView& d, rpls::ProgramInfo& info) {
    const int nameLength = d.byteAt(5);  // at most 255: the title field's size
    info.titleLength = static_cast<std::uint8_t>(nameLength);
    d.copyOut(6, static_cast<std::size_t>(nameLength), info.title);
    const int textLength = d.byteAt(6 + static_cast<std::uint64_t>(nameLength));  // at most 255
    d.copyOut(7 + static_cast<std::uint64_t>(nameLength), static_cast<std::size_t>(textLength), info.text);
    rpls::setTextLength(info, textLength);
}

void applyContentDescriptor(const SectionView& d, rpls::ProgramInfo& info) {
    const int length = descriptorLength(d);
    int slot = 0;
    for (int i = 0; i < length && slot < 3; i += 2) {
        const std::uint8_t genre = d.byteAt(2 + static_cast<std::uint64_t>(i));
        if ((genre & 0xF0) == kContentUserDefinedLevel1) continue;
        info.genres[slot].present = 1;
        info.genres[slot].value = genre;
        ++slot;
    }
}

int applyExtendedEventDescriptor(const SectionView& d, ExtTextAssembly& assembly) {
    constexpr std::uint64_t kItemsStart = 7;
    const std::uint64_t itemsEnd = kItemsStart + d.byteAt(6);
    for (std::uint64_t item = kItemsStart; item < itemsEnd;) {
        const std::uint64_t headingLength = d.byteAt(item);
        const std::uint64_t textLength = d.byteAt(item + 1 + headingLength);
        if (headingLength > 0) {
            if (assembly.unitCount > 0) {
                assembly.flush();
                assembly.appendLineBreak();
                assembly.appendLineBreak();
            }
            assembly.decodeAndAppend(boundedBytes(d, item + 1, headingLength));
            assembly.appendLineBreak();
        }
        assembly.appendPending(boundedBytes(d, item + 2 + headingLength, textLength));
        item += headingLength + textLength + 2;
    }
    const std::uint64_t textLength = d.byteAt(itemsEnd);
    if (textLength > 0) {
        assembly.flush();
        assembly.appendLineBreak();
        assembly.appendLineBreak();
        assembly.decodeAndAppend(boundedBytes(d, itemsEnd + 1, textLength));
    }
    return static_cast<int>(itemsEnd + 1 + textLength);  // at most 7 + 255 + 1 + 255
}

void applyPartialTsTimeDescriptor(const SectionView& d, rpls::ProgramInfo& info) {
    applyEventTimes(info, subView(d, 3, 5), subView(d, 8, 3));
}

int applyProgrammeDescriptor(const SectionView& d, rpls::ProgramInfo& info, ExtTextAssembly& assembly,
                             DescriptorScope scope) {
    const bool selection = scope == DescriptorScope::Selection;
    switch (static_cast<DescriptorTag>(descriptorTag(d))) {
        case DescriptorTag::Service:
            if (selection) applyServiceDescriptor(d, info);
            break;
        case DescriptorTag::ShortEvent: applyShortEventDescriptor(d, info); break;
        case DescriptorTag::Content: applyContentDescriptor(d, info); break;
        case DescriptorTag::ExtendedEvent: return applyExtendedEventDescriptor(d, assembly);
        case DescriptorTag::PartialTsTime:
            if (selection) applyPartialTsTimeDescriptor(d, info);
            break;
        default: break;
    }
    return descriptorLength(d) + 2;
}

}  // namespace ts
