// rpls-dump FOLDER: one line (or one JSON object) per real playlist of a BDAV folder.
#pragma once

#include <string>

namespace inspect {

// Lists the playlists of the BDAV folder `folder` (or of the BDAV folder inside it) in name
// order: date, start time, duration, channel, title, genres and the clips each plays with
// their streams. False when the folder cannot be read or a playlist is no RPLS file.
bool printCatalogue(const std::string& folder, bool json);

}  // namespace inspect
