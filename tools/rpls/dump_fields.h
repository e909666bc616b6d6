// What rpls-dump shows of one playlist, readable or as JSON: the programme fields and the
// PlayItems, with the stream each clip names when the playlist lies in a BDAV folder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "rpls/play_list.h"
#include "rpls/private_block.h"
#include "rpls/program_info.h"

namespace dump {

// The stream file of one PlayItem's clip, looked up in STREAM/ (catalogue only).
struct ClipStream {
    std::string path;  // empty when the clip's codec names no extension
    bool present = false;
    std::uintmax_t size = 0;
};

// One decoded file, as both printers see it.
struct Dump {
    std::string name;
    std::uintmax_t size = 0;
    rpls::PrivateBlock block;
    rpls::ProgramInfo info;
    rpls::PlayList playList;
    std::vector<rpls::PlayItem> items;
    std::vector<ClipStream> streams;  // one per item in a catalogue, else empty
};

// Decodes the fields, the private block and the PlayList of an image into `d` (name and
// size are the caller's).
void decodeImage(rpls::ConstByteView image, Dump& d);

std::string decodeText(const std::uint8_t* bytes, int length);
std::string bcd(const std::uint8_t* digits, int count, const char* separator);
std::string genreName(std::uint8_t genre, bool japanese);
// 45 kHz ticks as h:mm:ss.
std::string clockText(std::uint32_t ticks);
std::string codecText(const rpls::PlayItem& item);
std::string problemText(const rpls::PlayList& list);

void printReadable(const Dump& d);
// One JSON object (no line break): the file's fields and its playItems.
std::string jsonObject(const Dump& d);

}  // namespace dump
