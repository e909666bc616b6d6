// The lines a folder run prints for each playlist.
#pragma once

#include <string>

#include "app/fill_playlist.h"

namespace app {

// One line: the playlist, the stream and what it now holds (date, start time, channel name,
// title), or why it was not filled. A dry run that would write lists each field that would
// change, old value and new value, under that line.
void reportPlaylist(const std::string& playlist, const FillResult& result, const rpls::WholeFile& image, bool dryRun);

}  // namespace app
