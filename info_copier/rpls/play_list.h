// The PlayList() of an RPLS playlist: which clips the recording plays, and which part of each.
// Every address, count and length in it comes from the file and is checked against the image
// before anything is read, so a damaged playlist gives an answer and never a read outside it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "rpls/byte_view.h"

namespace rpls {

// Header field: where the PlayList() starts, from the start of the file.
inline constexpr std::size_t kPlayListAddressPos = 8;
// The header (40 bytes) and the length of the application information behind it.
inline constexpr std::size_t kPlayListHeaderEnd = 44;

inline constexpr std::size_t kClipNameLength = 5;
inline constexpr std::size_t kCodecLength = 4;
inline constexpr char kTransportStreamCodec[kCodecLength + 1] = "M2TS";
// IN_time and OUT_time count a 45 kHz clock.
inline constexpr std::uint32_t kPlayItemTicksPerSecond = 45000;

struct PlayItem {
    char clipName[kClipNameLength + 1] = {};  // five ASCII digits, NUL-terminated
    char codec[kCodecLength + 1] = {};        // as stored, NUL-terminated; not necessarily printable
    std::uint32_t inTime = 0;
    std::uint32_t outTime = 0;

    std::uint32_t ticks() const { return outTime - inTime; }
    bool isTransportStream() const;
};

enum class PlayListProblem {
    None,
    HeaderCut,            // the file ends inside the header
    AddressInHeader,      // the PlayList start address points into the header
    PlayListPastEnd,      // the PlayList's length field lies past the end of the file
    PlayListTooLong,      // its length runs past the end of the file
    PlayListTooShort,     // its length cannot hold the counts
    ItemPastEnd,          // a PlayItem runs past the end of the PlayList
    ItemTooShort,         // a PlayItem's length cannot hold the fields read here
    BadClipName,          // a clip name that is not five ASCII digits
    ItemEndsBeforeStart,  // OUT_time before IN_time
};

// The checked PlayList of one image: `itemsStart` is where the first PlayItem begins, and
// every one of the `itemCount` items lies inside [itemsStart, end).
struct PlayList {
    PlayListProblem problem = PlayListProblem::None;
    std::uint16_t badItem = 0;  // 1-based number of the PlayItem the problem is in, 0 = none
    std::uint16_t itemCount = 0;
    std::uint64_t itemsStart = 0;
    std::uint64_t end = 0;
};

// Reads and checks the whole PlayList() of an image (its PlayItems included).
PlayList readPlayList(ConstByteView image);

// The items of a PlayList that readPlayList found sound, one after the other.
class PlayItemCursor {
public:
    PlayItemCursor(ConstByteView image, const PlayList& list);
    // Fills `item` with the next PlayItem; false after the last one.
    bool next(PlayItem& item);

private:
    ConstByteView image_;
    std::uint64_t offset_ = 0;
    std::uint16_t left_ = 0;
};

// The PlayItem playing at the middle of the playing time: with the items laid end to end, the
// one whose span holds half the total (the first when every item is empty). Answers its
// 0-based index; -1 when the list has no items or is damaged.
int middlePlayItem(ConstByteView image, const PlayList& list);

enum class Language { English, Japanese };

// Says what is wrong ("damaged: ..."), naming the PlayItem where the problem lies in one. Empty
// for a sound list. Cut to fit `capacity`, always terminated.
void describePlayListProblem(const PlayList& list, Language language, char* out, std::size_t capacity);

}  // namespace rpls
