// A recorder's BDAV folder: PLAYLIST/ with the playlists, STREAM/ with the recordings they
// play. Names come from listing the folders, never from a file, so that no path is built from
// bytes read out of a playlist: a clip name is matched against the names STREAM/ holds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/directory.h"

namespace rpls {

enum class BdavProblem { None, Unreadable, NoPlaylistFolder };

struct BdavFolder {
    std::string bdav;                               // the BDAV folder itself
    std::string playlist;                           // its PLAYLIST folder
    std::string stream;                             // its STREAM folder; empty when it has none
    std::vector<platform::DirectoryEntry> streams;  // the files in STREAM/
};

// Finds the BDAV folder at `folder`: `folder` itself when it holds PLAYLIST/, else its
// BDAV/ child (a disc's root). Folder names are matched without regard to case.
BdavProblem openBdavFolder(const char* folder, BdavFolder& bdav);

// The real playlists (files named *.rpls, any case) of PLAYLIST/, in name order. False when
// the folder cannot be read.
bool listPlaylists(const BdavFolder& bdav, std::vector<std::string>& names);

enum class StreamLookup { Found, Missing, Ambiguous };

// The stream of a clip: the file of STREAM/ named `clip` + `extension` (".m2ts" for a
// transport stream), the extension in any case. `clip` must be five ASCII digits (a PlayItem
// checked by readPlayList).
StreamLookup findClipStream(const BdavFolder& bdav, const char* clip, const char* extension,
                            const platform::DirectoryEntry*& stream);

// `folder` + "/" + `name`.
std::string joinPath(const std::string& folder, const std::string& name);

// True when `name` ends in `extension` (with its dot), compared without regard to ASCII case.
bool hasExtension(const std::string& name, const char* extension);

}  // namespace rpls
