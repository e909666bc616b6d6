#include "ts/descriptors.h"

#include "ts/broadcast_date.h"

namespace ts {

namespace {

constexpr std::uint8_t kContentUserDefinedLevel1 = 0xE0;
constexpr int kGenreSlots = 3;
constexpr std::uint8_t kChannelNameCapacity = rpls::kChannelNameCapacity;

}  // namespace

void applyServiceDescriptor(const Descriptor& d, rpls::ProgramInfo& info) {
    FieldCursor c(d.payload);
    c.u8();          // service_type
    c.skip(c.u8());  // service_provider_name
    const std::uint8_t nameLength = c.u8();
    info.channelNameLength = nameLength < kChannelNameCapacity ? nameLength : kChannelNameCapacity;
    c.copyTo(info.channelNameLength, info.channelName);
}

void applyShortEventDescriptor(const Descriptor& d, rpls::ProgramInfo& info) {
    FieldCursor c(d.payload);
    c.skip(3);                  // ISO_639_language_code
    info.titleLength = c.u8();  // at most 255: the title field's size
    c.copyTo(info.titleLength, info.title);
    const std::uint8_t textLength = c.u8();  // at most 255
    c.copyTo(textLength, info.text);
    rpls::setTextLength(info, textLength);
}

void clearGenres(rpls::ProgramInfo& info) {
    for (rpls::GenreEntry& genre : info.genres) genre = {0, 0};
}

void applyContentDescriptor(const Descriptor& d, rpls::ProgramInfo& info) {
    int slot = 0;
    for (FieldCursor c(d.payload); c.offset() < d.length && slot < kGenreSlots;) {
        const std::uint8_t genre = c.u8();  // content_nibble_level_1, content_nibble_level_2
        c.u8();                             // user_nibble, user_nibble
        if ((genre & 0xF0) == kContentUserDefinedLevel1) continue;
        info.genres[slot].present = 1;
        info.genres[slot].value = genre;
        ++slot;
    }
}

std::uint64_t applyExtendedEventDescriptor(const Descriptor& d, ExtTextAssembly& assembly) {
    FieldCursor c(d.payload);
    c.u8();     // descriptor_number, last_descriptor_number
    c.skip(3);  // ISO_639_language_code
    const std::uint8_t itemsLength = c.u8();
    const std::uint64_t itemsEnd = c.offset() + itemsLength;
    while (c.offset() < itemsEnd) {
        const std::uint8_t headingLength = c.u8();
        const std::span<const std::uint8_t> heading = c.bytes(headingLength);
        const std::span<const std::uint8_t> item = c.bytes(c.u8());
        if (headingLength > 0) {
            if (assembly.unitCount > 0) {
                assembly.flush();
                assembly.appendLineBreak();
                assembly.appendLineBreak();
            }
            assembly.decodeAndAppend(heading);
            assembly.appendLineBreak();
        }
        assembly.appendPending(item);
    }
    c.seek(itemsEnd);  // an item that overran the items still leaves text_length where it is
    const std::uint8_t textLength = c.u8();
    const std::span<const std::uint8_t> text = c.bytes(textLength);
    if (textLength > 0) {
        assembly.flush();
        assembly.appendLineBreak();
        assembly.appendLineBreak();
        assembly.decodeAndAppend(text);
    }
    return c.offset();  // at most 5 + 255 + 1 + 255
}

void applyPartialTsTimeDescriptor(const Descriptor& d, rpls::ProgramInfo& info) {
    FieldCursor c(d.payload);
    c.u8();  // event_version_number
    applyEventTimes(info, c);
}

std::uint64_t applyProgrammeDescriptor(const Descriptor& d, rpls::ProgramInfo& info, ExtTextAssembly& assembly,
                                       DescriptorScope scope) {
    const bool selection = scope == DescriptorScope::Selection;
    switch (static_cast<DescriptorTag>(d.tag)) {
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
    return d.length;
}

}  // namespace ts
