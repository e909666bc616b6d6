// The PlayList reader: the clip chosen for PlayItem layouts at the boundaries, and every
// damaged form answered with its reason instead of a read outside the image.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "rpls/play_list.h"
#include "rpls/rpls_fixture.h"

namespace {

constexpr std::size_t kAt = 0x728;  // where the fixture puts the PlayList

std::vector<std::uint8_t> playlistWith(const std::vector<fixture::PlayItemFields>& items) {
    fixture::RplsFields fields;
    fields.playItems = items;
    return fixture::buildRpls(fields);
}

void put16(std::vector<std::uint8_t>& image, std::size_t at, std::uint16_t v) {
    image[at] = static_cast<std::uint8_t>(v >> 8);
    image[at + 1] = static_cast<std::uint8_t>(v);
}
void put32(std::vector<std::uint8_t>& image, std::size_t at, std::uint32_t v) {
    put16(image, at, static_cast<std::uint16_t>(v >> 16));
    put16(image, at + 2, static_cast<std::uint16_t>(v));
}

rpls::PlayList read(const std::vector<std::uint8_t>& image) {
    return rpls::readPlayList(rpls::ConstByteView(image.data(), image.size()));
}

TEST(PlayList, TheClipPlayingAtTheMiddleIsChosen) {
    struct Case {
        const char* name;
        std::vector<std::uint32_t> spans;  // OUT_time - IN_time of each item
        int expected;
    };
    const Case cases[] = {
        {"one item", {900}, 0},
        {"the longer second part", {10, 30}, 1},
        {"equal halves: the middle starts the second", {20, 20}, 1},
        {"odd total: 1.5 lies in the second", {1, 2}, 1},
        {"odd total: 1.5 lies in the first", {2, 1}, 0},
        {"all empty: the first", {0, 0, 0}, 0},
        {"an empty item at the middle is passed over", {10, 0, 10}, 2},
        {"an empty first item", {0, 10}, 1},
        {"largest times", {0xFFFFFFFFu, 0xFFFFFFFFu, 1}, 1},
    };
    for (const Case& c : cases) {
        std::vector<fixture::PlayItemFields> items;
        for (std::size_t i = 0; i < c.spans.size(); ++i)
            items.push_back({"0000" + std::to_string(i), "M2TS", 0, c.spans[i]});
        const std::vector<std::uint8_t> image = playlistWith(items);
        const rpls::ConstByteView view(image.data(), image.size());
        EXPECT_EQ(rpls::middlePlayItem(view, rpls::readPlayList(view)), c.expected) << c.name;
    }
    // IN_time counts: the span is OUT_time - IN_time, not OUT_time.
    const std::vector<std::uint8_t> image = playlistWith({{"00001", "M2TS", 0, 30}, {"00002", "M2TS", 1000, 1010}});
    const rpls::ConstByteView view(image.data(), image.size());
    EXPECT_EQ(rpls::middlePlayItem(view, rpls::readPlayList(view)), 0);
    std::vector<std::uint8_t> empty = playlistWith({{"00001", "M2TS", 0, 1}});
    put16(empty, kAt + 6, 0);  // no PlayItems
    const rpls::ConstByteView emptyView(empty.data(), empty.size());
    EXPECT_EQ(rpls::readPlayList(emptyView).problem, rpls::PlayListProblem::None);
    EXPECT_EQ(rpls::middlePlayItem(emptyView, rpls::readPlayList(emptyView)), -1);
}

TEST(PlayList, ItemsAreReadAsStoredAndLongerItemsSkipped) {
    std::vector<std::uint8_t> image = playlistWith({{"00007", "M2TS", 45, 90}, {"00003", "M2PS", 0, 450}});
    // A movie-disc PlayItem carries fields behind OUT_time: make the first one 4 bytes longer.
    image.insert(image.begin() + static_cast<std::ptrdiff_t>(kAt + 10 + 22), 4, 0xEE);
    put16(image, kAt + 10, 24);
    put32(image, kAt, 6 + 26 + 22);
    const rpls::ConstByteView view(image.data(), image.size());
    const rpls::PlayList list = rpls::readPlayList(view);
    ASSERT_EQ(list.problem, rpls::PlayListProblem::None);
    rpls::PlayItem first;
    rpls::PlayItem second;
    rpls::PlayItemCursor cursor(view, list);
    ASSERT_TRUE(cursor.next(first) && cursor.next(second));
    EXPECT_FALSE(cursor.next(second));
    EXPECT_STREQ(first.clipName, "00007");
    EXPECT_TRUE(first.isTransportStream());
    EXPECT_EQ(first.ticks(), 45u);
    EXPECT_STREQ(second.clipName, "00003");
    EXPECT_STREQ(second.codec, "M2PS");
    EXPECT_FALSE(second.isTransportStream());
}

TEST(PlayList, EveryDamagedFormIsAnAnswer) {
    using P = rpls::PlayListProblem;
    const std::vector<std::uint8_t> sound = playlistWith({{"00001", "M2TS", 0, 10}, {"00002", "M2TS", 0, 20}});
    const std::size_t item2 = kAt + 10 + 22;
    struct Case {
        const char* name;
        void (*damage)(std::vector<std::uint8_t>&);
        P problem;
        std::uint16_t item;
    };
    const Case cases[] = {
        {"file ends inside the header", [](std::vector<std::uint8_t>& b) { b.resize(43); }, P::HeaderCut, 0},
        {"address 0", [](std::vector<std::uint8_t>& b) { put32(b, 8, 0); }, P::AddressInHeader, 0},
        {"address into the header", [](std::vector<std::uint8_t>& b) { put32(b, 8, 43); }, P::AddressInHeader, 0},
        {"address past the end", [](std::vector<std::uint8_t>& b) { put32(b, 8, 0xFFFFFFFF); }, P::PlayListPastEnd, 0},
        {"length field cut by the end",
         [](std::vector<std::uint8_t>& b) { put32(b, 8, static_cast<std::uint32_t>(b.size() - 3)); },
         P::PlayListPastEnd, 0},
        {"length past the end", [](std::vector<std::uint8_t>& b) { put32(b, kAt, 0xFFFFFFF0); }, P::PlayListTooLong, 0},
        {"length too short for the counts", [](std::vector<std::uint8_t>& b) { put32(b, kAt, 5); }, P::PlayListTooShort,
         0},
        {"more items than the PlayList holds", [](std::vector<std::uint8_t>& b) { put16(b, kAt + 6, 3); },
         P::ItemPastEnd, 3},
        {"item length past the PlayList", [](std::vector<std::uint8_t>& b) { put16(b, kAt + 10, 0xFFFF); },
         P::ItemPastEnd, 1},
        {"PlayList ends inside the last item", [](std::vector<std::uint8_t>& b) { put32(b, kAt, 6 + 22 + 21); },
         P::ItemPastEnd, 2},
        {"item too short for OUT_time", [](std::vector<std::uint8_t>& b) { put16(b, kAt + 10, 19); }, P::ItemTooShort,
         1},
        {"path in the clip name", [](std::vector<std::uint8_t>& b) { std::memcpy(&b[item2 + 2], "../00", 5); },
         P::BadClipName, 2},
        {"drive letter", [](std::vector<std::uint8_t>& b) { std::memcpy(&b[kAt + 12], "C:\\00", 5); }, P::BadClipName,
         1},
        {"letter in the clip name", [](std::vector<std::uint8_t>& b) { b[kAt + 16] = 'a'; }, P::BadClipName, 1},
        {"NUL in the clip name", [](std::vector<std::uint8_t>& b) { b[kAt + 12] = 0; }, P::BadClipName, 1},
        {"OUT_time before IN_time", [](std::vector<std::uint8_t>& b) { put32(b, item2 + 14, 21); },
         P::ItemEndsBeforeStart, 2},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> image = sound;
        c.damage(image);
        // An exact-size copy, so that a sanitizer catches a read past the end.
        const std::vector<std::uint8_t> exact(image.begin(), image.end());
        const rpls::PlayList list = read(exact);
        EXPECT_EQ(list.problem, c.problem) << c.name;
        EXPECT_EQ(list.badItem, c.item) << c.name;
        const rpls::ConstByteView view(exact.data(), exact.size());
        EXPECT_EQ(rpls::middlePlayItem(view, list), -1) << c.name;
        rpls::PlayItem item;
        EXPECT_FALSE(rpls::PlayItemCursor(view, list).next(item)) << c.name;
    }
    std::vector<std::uint8_t> image = sound;
    put32(image, 8, 0xFFFFFFFF);
    char reason[160];
    rpls::describePlayListProblem(read(image), rpls::Language::English, reason, sizeof reason);
    EXPECT_STREQ(reason, "damaged: the PlayList lies past the end of the file");
    put32(image, 8, kAt);
    put16(image, kAt + 10, 0xFFFF);
    rpls::describePlayListProblem(read(image), rpls::Language::Japanese, reason, sizeof reason);
    EXPECT_NE(std::string(reason).find("PlayItem 1"), std::string::npos) << reason;
}

}  // namespace
