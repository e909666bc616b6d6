// Random playlist images through the PlayList reader and the choice of the source clip. The
// image lies in a buffer of exactly its size, so that any read past it is caught; the checks
// below hold for every image the reader calls sound.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "rpls/play_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    const rpls::ConstByteView image(bytes.data(), bytes.size());
    const rpls::PlayList list = rpls::readPlayList(image);

    char reason[160];
    rpls::describePlayListProblem(list, rpls::Language::English, reason, sizeof reason);
    rpls::describePlayListProblem(list, rpls::Language::Japanese, reason, sizeof reason);
    if (list.problem != rpls::PlayListProblem::None) {
        if (rpls::middlePlayItem(image, list) != -1) std::abort();
        return 0;
    }
    if (list.end > size || list.itemsStart > list.end) std::abort();

    rpls::PlayItem item;
    std::uint16_t count = 0;
    for (rpls::PlayItemCursor cursor(image, list); cursor.next(item); ++count) {
        // A sound item names a clip of five digits and never ends before it starts.
        for (int i = 0; i < 5; ++i) {
            if (item.clipName[i] < '0' || item.clipName[i] > '9') std::abort();
        }
        if (item.clipName[5] != '\0' || item.outTime < item.inTime) std::abort();
    }
    if (count != list.itemCount) std::abort();
    const int middle = rpls::middlePlayItem(image, list);
    if ((list.itemCount == 0) != (middle == -1) || middle >= static_cast<int>(list.itemCount)) std::abort();
    return 0;
}
