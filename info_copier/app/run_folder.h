#pragma once

namespace app {

// A whole folder run (tolvane ... --bdav FOLDER [--dry-run]): every real playlist of the
// folder in name order, each filled from the clip it plays. Answers the exit status: 0 when
// every playlist was filled or already up to date, 1 otherwise.
int runFolder(int argc, const char* const* argv);

}  // namespace app
