#include "rpls/read_rpls_info.h"

#include <new>

#include "rpls/private_block.h"
#include "rpls/rpls_format.h"
#include "rpls/whole_file.h"

namespace rpls {

bool fillFromRplsImage(ConstByteView image, ProgramInfo& info) {
    const PrivateBlock block = findPrivateBlock(image);
    const std::uint64_t base = block.offset;

    image.copyOut(kDatePos, sizeof info.date, info.date);
    image.copyOut(kStartTimePos, sizeof info.startTime, info.startTime);
    image.copyOut(kDurationPos, sizeof info.duration, info.duration);
    info.zone = image.byteAt(kZonePos);
    image.copyOut(kCodePairPos, sizeof info.codePair, info.codePair);
    image.copyOut(kChannelNumberPos, sizeof info.channelNumber, info.channelNumber);

    const std::uint8_t nameLength = image.byteAt(kChannelNameLengthPos);
    info.channelNameLength = nameLength > kChannelNameCapacity ? kChannelNameCapacity : nameLength;
    image.copyOut(kChannelNamePos, kChannelNameCapacity, info.channelName);
    info.titleLength = image.byteAt(kTitleLengthPos);
    image.copyOut(kTitlePos, kTitleCapacity, info.title);

    info.privateCode = block.layout == PrivateLayout::Layout0103 ? image.be16(base + kBlock0103PrivateCodePos) : -1;

    setTextLength(info, image.be16(kTextAreaPos));
    image.copyOut(kTextPos, static_cast<std::size_t>(info.textLength), info.text);

    if (block.layout == PrivateLayout::Layout0108) {
        std::int32_t extLength = image.be16(base + kBlock0108ExtTextLengthPos);
        const std::int32_t room = static_cast<std::int32_t>(kTextCapacity) - info.textLength;
        if (extLength > room) extLength = room;
        info.extTextLength = extLength;
        image.copyOut(kTextPos + static_cast<std::uint64_t>(info.textLength), static_cast<std::size_t>(extLength),
                      info.extText);
        for (int i = 0; i < 3; ++i) {
            info.genres[i].present = image.byteAt(base + kBlock0108GenrePos[i]);
            info.genres[i].value = image.byteAt(base + kBlock0108GenrePos[i] + 1);
        }
    } else if (block.layout == PrivateLayout::Layout0103) {
        int count = 0;
        switch (image.byteAt(base + kBlock0103GenreCountPos)) {
            case kGenreCountThree: count = 3; break;
            case kGenreCountTwo: count = 2; break;
            case kGenreCountOne: count = 1; break;
            default: count = 0; break;
        }
        // Entry 1 is stored last (byte 179), entry 3 first (byte 177).
        const std::size_t positions[3] = {kBlock0103Genre1Pos, kBlock0103Genre2Pos, kBlock0103Genre3Pos};
        for (int i = 0; i < count; ++i) {
            info.genres[i].present = 1;
            info.genres[i].value = exchangeNibbles(image.byteAt(base + positions[i]));
        }
    }
    return block.layout == PrivateLayout::Layout0108;
}

RplsReadResult readRplsInfo(platform::File& source, ProgramInfo& info) {
    WholeFile image;
    switch (image.load(source)) {
        case WholeFile::Status::Ok: break;
        case WholeFile::Status::AllocationFailed: return RplsReadResult::AllocationFailed;
        case WholeFile::Status::ReadFailed: return RplsReadResult::ReadFailed;
    }
    return fillFromRplsImage(image.view(), info) ? RplsReadResult::WithExtText : RplsReadResult::WithoutExtText;
}

}  // namespace rpls
