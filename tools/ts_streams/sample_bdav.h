// The bundled recorder folder for the demo and the folder tests: ROOT/BDAV with playlists
// whose numbers differ from their clips', an edited playlist of two PlayItems, two playlists
// that share a clip, an SIT-only partial stream, upper-case names, a missing stream and an
// M2PS item.
#pragma once

#include <string>

namespace ts_streams {

// Writes ROOT/BDAV (ROOT must exist, ROOT/BDAV must not). False after a failed write.
bool writeSampleBdav(const std::string& root);

}  // namespace ts_streams
