#include "rpls/patch_destination.h"

#include <algorithm>
#include <cstring>

#include "rpls/joined_text.h"
#include "rpls/private_block.h"
#include "rpls/rpls_format.h"
#include "rpls/text_area.h"

namespace rpls {

namespace {

// The record's description length; every writer keeps it within the field.
std::size_t textLengthOf(const ProgramInfo& info) {
    return info.textLength < 0 ? 0 : std::min<std::size_t>(static_cast<std::size_t>(info.textLength), kTextCapacity);
}

void patchPrivateCode(ByteView image, const PrivateBlock& block, const ProgramInfo& info) {
    if (block.layout != PrivateLayout::Layout0103 || info.privateCode == -1) return;
    image.setBe16(std::uint64_t{block.offset} + kBlock0103PrivateCodePos, static_cast<std::uint16_t>(info.privateCode));
}

// Layout 0x0108 keeps the extended text directly behind the description inside the text
// area; the two move together and the checksum covers all 1200 text bytes.
void patchTextArea0108(ByteView image, const PrivateBlock& block, const ProgramInfo& info, bool textSelected,
                       bool extTextSelected, bool sourceHasExtText) {
    std::uint8_t work[kTextAreaSize] = {};
    const std::size_t currentLength = currentTextLength(image);

    std::size_t v = 0;
    if (textSelected) {
        v = textLengthOf(info);
        std::memcpy(work, info.textLengthField, 2);
        std::memcpy(work + 2, info.text, v);
    } else {
        // The stored length is written back clamped, so that it matches the bytes kept.
        v = currentLength;
        work[0] = static_cast<std::uint8_t>(v >> 8);
        work[1] = static_cast<std::uint8_t>(v);
        image.copyOut(kTextPos, v, work + 2);
    }

    // Behind it, the source's extended text, or else the image's own (read at its place
    // before anything is written); whatever exceeds the room behind the description is cut.
    const std::uint64_t extLengthPos = std::uint64_t{block.offset} + kBlock0108ExtTextLengthPos;
    const bool fromSource = extTextSelected && sourceHasExtText;
    std::size_t n = fromSource ? static_cast<std::size_t>(info.extTextLength) : image.be16(extLengthPos);
    if (n > kTextCapacity - v) n = kTextCapacity - v;
    if (fromSource) {
        std::memcpy(work + 2 + v, info.extText, n);
    } else {
        image.copyOut(kTextPos + currentLength, n, work + 2 + v);
    }

    image.write(kTextAreaPos, work, sizeof work);
    image.setBe16(extLengthPos, static_cast<std::uint16_t>(n));
    image.setByte(std::uint64_t{block.offset} + kBlock0108ChecksumPos, textChecksum(work + 2));
}

void patchTexts(ByteView image, const PrivateBlock& block, const ProgramInfo& info, bool textSelected,
                bool extTextSelected, bool sourceHasExtText) {
    if (!textSelected && !extTextSelected) return;
    if (block.layout == PrivateLayout::Layout0108) {
        patchTextArea0108(image, block, info, textSelected, extTextSelected, sourceHasExtText);
        return;
    }
    // Elsewhere the text area holds the description alone; an extended text has no place.
    if (!textSelected) return;
    image.fill(kTextAreaPos, 0, kTextAreaSize);
    image.write(kTextAreaPos, info.textLengthField, 2);
    image.write(kTextPos, info.text, textLengthOf(info));
}

void patchGenres(ByteView image, const PrivateBlock& block, const ProgramInfo& info) {
    const std::uint64_t base = block.offset;
    if (block.layout == PrivateLayout::Layout0108) {
        for (int i = 0; i < 3; ++i) {
            const std::uint8_t entry[2] = {info.genres[i].present, info.genres[i].value};
            image.write(base + kBlock0108GenrePos[i], entry, 2);
        }
    } else if (block.layout == PrivateLayout::Layout0103) {
        image.setByte(base + kBlock0103GenreCountPos, kGenreCountNone);
        image.fill(base + kBlock0103Genre3Pos, kGenreAbsent, 3);
        // The count code follows the last present entry.
        const std::size_t positions[3] = {kBlock0103Genre1Pos, kBlock0103Genre2Pos, kBlock0103Genre3Pos};
        const std::uint8_t counts[3] = {kGenreCountOne, kGenreCountTwo, kGenreCountThree};
        for (int i = 0; i < 3; ++i) {
            if (info.genres[i].present != 1) continue;
            image.setByte(base + positions[i], exchangeNibbles(info.genres[i].value));
            image.setByte(base + kBlock0103GenreCountPos, counts[i]);
        }
    }
}

}  // namespace

bool isPatchableImage(ConstByteView image) {
    return image.size() >= kFixedFieldsEnd && !findPrivateBlock(image).outsideImage;
}

void patchDestination(ByteView image, const ProgramInfo& info, const common::OptionFlags& flags,
                      bool sourceHasExtText) {
    if (!isPatchableImage(image)) return;
    const PrivateBlock block = findPrivateBlock(image);

    if (flags.copyDate || flags.setDate) image.write(kDatePos, info.date, sizeof info.date);
    if (flags.copyStartTime || flags.setStartTime) image.write(kStartTimePos, info.startTime, sizeof info.startTime);
    if (flags.copyDuration || flags.setDuration) image.write(kDurationPos, info.duration, sizeof info.duration);
    if (flags.copyZone || flags.setZone) image.setByte(kZonePos, info.zone);
    if (flags.copyCodePair || flags.setCodePair) image.write(kCodePairPos, info.codePair, sizeof info.codePair);
    if (flags.copyPrivateCode || flags.setPrivateCode) patchPrivateCode(image, block, info);
    if (flags.copyChannelNumber || flags.setChannelNumber) {
        image.write(kChannelNumberPos, info.channelNumber, sizeof info.channelNumber);
    }
    if (flags.copyChannelName || flags.setChannelName) {
        image.setByte(kChannelNameLengthPos, info.channelNameLength);
        image.write(kChannelNamePos, info.channelName, kChannelNameCapacity);
    }
    if (flags.copyTitle || flags.setTitle) {
        image.setByte(kTitleLengthPos, info.titleLength);
        image.write(kTitlePos, info.title, kTitleCapacity);
    }
    patchTexts(image, block, info, flags.copyText || flags.setText, flags.copyExtText || flags.setExtText,
               sourceHasExtText);
    if (flags.joinTexts) joinDescriptionTexts(image, block, info);
    if (flags.copyGenres || flags.setGenres) patchGenres(image, block, info);
}

}  // namespace rpls
