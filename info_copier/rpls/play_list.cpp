#include "rpls/play_list.h"

#include <cstdio>
#include <cstring>

namespace rpls {

namespace {

// Offsets inside PlayList(), behind its 4-byte length field.
constexpr std::uint64_t kPlayListLengthSize = 4;
constexpr std::uint64_t kItemCountPos = 2;  // after the flags
constexpr std::uint64_t kCountsSize = 6;    // flags, PlayItem count, SubPlayItem count

// Offsets inside a PlayItem, from its 2-byte length field.
constexpr std::uint64_t kItemLengthSize = 2;
constexpr std::uint64_t kClipNamePos = 2;
constexpr std::uint64_t kCodecPos = 7;
constexpr std::uint64_t kInTimePos = 14;
constexpr std::uint64_t kOutTimePos = 18;
// A recorder's PlayItem ends after OUT_time; longer ones carry fields that are skipped.
constexpr std::uint64_t kItemFieldsLength = 20;

struct ProblemText {
    PlayListProblem problem;
    const char* english;
    const char* japanese;
};

constexpr ProblemText kProblemTexts[] = {
    {PlayListProblem::HeaderCut, "damaged: the file ends inside the header",
     "壊れています: ファイルがヘッダの途中で終わっています"},
    {PlayListProblem::AddressInHeader, "damaged: the PlayList start address points into the header",
     "壊れています: PlayList の開始アドレスがヘッダの中を指しています"},
    {PlayListProblem::PlayListPastEnd, "damaged: the PlayList lies past the end of the file",
     "壊れています: PlayList がファイルの終わりより後ろにあります"},
    {PlayListProblem::PlayListTooLong, "damaged: the PlayList runs past the end of the file",
     "壊れています: PlayList がファイルの終わりを越えています"},
    {PlayListProblem::PlayListTooShort, "damaged: the PlayList is too short for its counts",
     "壊れています: PlayList が短すぎます"},
    {PlayListProblem::ItemPastEnd, "damaged: PlayItem %u runs past the end of the PlayList",
     "壊れています: PlayItem %u が PlayList の終わりを越えています"},
    {PlayListProblem::ItemTooShort, "damaged: PlayItem %u is too short", "壊れています: PlayItem %u が短すぎます"},
    {PlayListProblem::BadClipName, "damaged: PlayItem %u does not name a clip of five digits",
     "壊れています: PlayItem %u のクリップ名が5桁の数字ではありません"},
    {PlayListProblem::ItemEndsBeforeStart, "damaged: PlayItem %u ends before it starts",
     "壊れています: PlayItem %u の OUT_time が IN_time より前です"},
};

PlayList damaged(PlayListProblem problem, std::uint16_t item = 0) {
    PlayList list;
    list.problem = problem;
    list.badItem = item;
    return list;
}

bool isClipName(ConstByteView image, std::uint64_t at) {
    for (std::uint64_t i = 0; i < kClipNameLength; ++i) {
        const std::uint8_t c = image.byteAt(at + i);
        if (c < '0' || c > '9') return false;
    }
    return true;
}

}  // namespace

bool PlayItem::isTransportStream() const { return std::memcmp(codec, kTransportStreamCodec, kCodecLength) == 0; }

PlayList readPlayList(ConstByteView image) {
    if (!image.contains(0, kPlayListHeaderEnd)) return damaged(PlayListProblem::HeaderCut);
    const std::uint64_t start = image.be32(kPlayListAddressPos);
    if (start < kPlayListHeaderEnd) return damaged(PlayListProblem::AddressInHeader);
    if (!image.contains(start, kPlayListLengthSize)) return damaged(PlayListProblem::PlayListPastEnd);
    const std::uint64_t length = image.be32(start);
    const std::uint64_t body = start + kPlayListLengthSize;
    if (!image.contains(body, length)) return damaged(PlayListProblem::PlayListTooLong);
    if (length < kCountsSize) return damaged(PlayListProblem::PlayListTooShort);

    PlayList list;
    list.itemCount = image.be16(body + kItemCountPos);
    list.itemsStart = body + kCountsSize;
    list.end = body + length;
    std::uint64_t offset = list.itemsStart;
    for (std::uint16_t number = 1; number <= list.itemCount; ++number) {
        if (offset + kItemLengthSize > list.end) return damaged(PlayListProblem::ItemPastEnd, number);
        const std::uint64_t itemLength = image.be16(offset);
        if (offset + kItemLengthSize + itemLength > list.end) return damaged(PlayListProblem::ItemPastEnd, number);
        if (kItemLengthSize + itemLength < kItemFieldsLength + kItemLengthSize)
            return damaged(PlayListProblem::ItemTooShort, number);
        if (!isClipName(image, offset + kClipNamePos)) return damaged(PlayListProblem::BadClipName, number);
        if (image.be32(offset + kOutTimePos) < image.be32(offset + kInTimePos))
            return damaged(PlayListProblem::ItemEndsBeforeStart, number);
        offset += kItemLengthSize + itemLength;
    }
    return list;
}

PlayItemCursor::PlayItemCursor(ConstByteView image, const PlayList& list)
    : image_(image),
      offset_(list.itemsStart),
      left_(list.problem == PlayListProblem::None ? list.itemCount : std::uint16_t{0}) {}

bool PlayItemCursor::next(PlayItem& item) {
    if (left_ == 0) return false;
    --left_;
    image_.copyOut(offset_ + kClipNamePos, kClipNameLength, reinterpret_cast<std::uint8_t*>(item.clipName));
    item.clipName[kClipNameLength] = '\0';
    image_.copyOut(offset_ + kCodecPos, kCodecLength, reinterpret_cast<std::uint8_t*>(item.codec));
    item.codec[kCodecLength] = '\0';
    item.inTime = image_.be32(offset_ + kInTimePos);
    item.outTime = image_.be32(offset_ + kOutTimePos);
    offset_ += kItemLengthSize + image_.be16(offset_);
    return true;
}

int middlePlayItem(ConstByteView image, const PlayList& list) {
    if (list.problem != PlayListProblem::None || list.itemCount == 0) return -1;
    PlayItem item;
    std::uint64_t total = 0;
    for (PlayItemCursor cursor(image, list); cursor.next(item);) total += item.ticks();
    if (total == 0) return 0;
    // Item i spans [start, start + ticks); it holds total / 2 when 2 * start <= total < 2 * (start + ticks),
    // which keeps the comparison exact for an odd total.
    std::uint64_t start = 0;
    int index = 0;
    for (PlayItemCursor cursor(image, list); cursor.next(item); ++index) {
        const std::uint64_t end = start + item.ticks();
        if (2 * start <= total && total < 2 * end) return index;
        start = end;
    }
    return -1;  // not reached: the last non-empty item always holds the middle
}

void describePlayListProblem(const PlayList& list, Language language, char* out, std::size_t capacity) {
    if (capacity == 0) return;
    out[0] = '\0';
    for (const ProblemText& text : kProblemTexts) {
        if (text.problem != list.problem) continue;
        std::snprintf(out, capacity, language == Language::English ? text.english : text.japanese,
                      static_cast<unsigned>(list.badItem));
        return;
    }
}

}  // namespace rpls
