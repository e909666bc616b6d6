#include "sample_bdav.h"

#include <filesystem>
#include <system_error>

#include "rpls/rpls_fixture.h"
#include "sample_stream.h"

namespace ts_streams {

namespace {

constexpr std::uint32_t kTicksPerMinute = 60 * 45000;

enum class Sample { News, Movie, Plain };

struct PlaylistCase {
    const char* name;
    Sample sample;
    fixture::PlayItemFields items[2];
    int itemCount;
};

fixture::RplsFields sampleFields(Sample sample) {
    fixture::RplsFields fields;
    switch (sample) {
        case Sample::News:
            fields.channelNumber = 0x0011;
            fields.title = fixture::kanjiFromEucJp("\xC4\xAB\xA4\xCE\xA5\xCB\xA5\xE5\xA1\xBC\xA5\xB9");  // 朝のニュース
            fields.genres[0] = {true, 0x00};
            break;
        case Sample::Movie:
            fields.layout = fixture::BlockLayout::Layout0103;
            fields.channelNumber = 0x0007;
            fields.title = fixture::kanjiFromEucJp("\xB1\xC7\xB2\xE8");  // 映画
            fields.privateCode = 0x1234;
            break;
        case Sample::Plain: fields.layout = fixture::BlockLayout::None; break;
    }
    return fields;
}

// Which playlist plays what. The numbers of playlists and clips differ on purpose.
const PlaylistCase kPlaylists[] = {
    {"00001.rpls", Sample::News, {{"00003", "M2TS", 0, 45 * kTicksPerMinute}}, 1},
    // Edited: 10 minutes of 00004, then 30 of 00005; the middle (minute 20) plays 00005.
    {"00002.rpls",
     Sample::Movie,
     {{"00004", "M2TS", 0, 10 * kTicksPerMinute}, {"00005", "M2TS", 5 * kTicksPerMinute, 35 * kTicksPerMinute}},
     2},
    // Two playlists share clip 00006: its first 20 minutes, and the rest.
    {"00003.rpls", Sample::Plain, {{"00006", "M2TS", 0, 20 * kTicksPerMinute}}, 1},
    {"00004.rpls", Sample::News, {{"00006", "M2TS", 20 * kTicksPerMinute, 45 * kTicksPerMinute}}, 1},
    // A partial TS of a recorder: only an SIT carries the programme.
    {"00005.rpls", Sample::News, {{"00007", "M2TS", 0, 45 * kTicksPerMinute}}, 1},
    // Upper-case names, as some systems show a disc.
    {"00006.RPLS", Sample::Movie, {{"00008", "M2TS", 0, 45 * kTicksPerMinute}}, 1},
    // Its stream is missing.
    {"00007.rpls", Sample::Plain, {{"00009", "M2TS", 0, 45 * kTicksPerMinute}}, 1},
    // A program stream: no service information to read.
    {"00008.rpls", Sample::News, {{"00010", "M2PS", 0, 45 * kTicksPerMinute}}, 1},
};

struct StreamCase {
    const char* name;
    bool selection;  // the SIT-only partial stream
};

const StreamCase kStreams[] = {
    {"00003.m2ts", false}, {"00004.m2ts", false}, {"00005.m2ts", false},
    {"00006.m2ts", false}, {"00007.m2ts", true},  {"00008.M2TS", false},
};

}  // namespace

bool writeSampleBdav(const std::string& root) {
    const std::filesystem::path bdav = std::filesystem::path(root) / "BDAV";
    std::error_code error;
    if (std::filesystem::exists(bdav, error)) return false;
    for (const char* folder : {"PLAYLIST", "STREAM", "CLIPINF"}) {
        std::filesystem::create_directories(bdav / folder, error);
        if (error) return false;
    }
    const std::string playlistFolder = (bdav / "PLAYLIST").string();
    const std::string streamFolder = (bdav / "STREAM").string();
    for (const PlaylistCase& playlist : kPlaylists) {
        fixture::RplsFields fields = sampleFields(playlist.sample);
        fields.playItems.assign(playlist.items, playlist.items + playlist.itemCount);
        if (!fixture::writeNewFile(playlistFolder + "/" + playlist.name, fixture::buildRpls(fields))) return false;
    }
    // Not real playlists: a folder run and the catalogue pass over them.
    fixture::RplsFields virtualList = sampleFields(Sample::Plain);
    virtualList.playItems = {{"00003", "M2TS", 0, kTicksPerMinute}};
    if (!fixture::writeNewFile(playlistFolder + "/00001.vpls", fixture::buildRpls(virtualList))) return false;

    const Bytes full = buildSampleStream(192);
    const Bytes partial = buildSampleSelectionStream(192);
    for (const StreamCase& stream : kStreams) {
        if (!fixture::writeNewFile(streamFolder + "/" + stream.name, stream.selection ? partial : full)) return false;
    }
    // A program stream begins with a pack header; a few bytes stand in for the recording.
    const Bytes programStream = {0x00, 0x00, 0x01, 0xBA, 0x44, 0x00, 0x04, 0x00, 0x04, 0x01};
    return fixture::writeNewFile(streamFolder + "/00010.m2ps", programStream);
}

}  // namespace ts_streams
