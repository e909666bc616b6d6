// The command line of a folder run:  tolvane [copy switches] [-f PERCENT] --bdav FOLDER [--dry-run]
// The long options may stand anywhere; the copy switches and -f mean what they mean in copy mode.
#pragma once

#include "common/option_flags.h"

namespace app {

struct FolderRequest {
    common::OptionFlags flags;
    int readStartPercent = 50;
    const char* folder = nullptr;
    bool dryRun = false;
};

// True when the command line asks for a folder run: --bdav or --dry-run stands as an argument
// of its own, not as the value of a parameter option or of -f.
bool isFolderRequest(int argc, const char* const* argv);

// Parses a folder run's command line. On failure the one message has been printed.
bool parseFolderCommandLine(int argc, const char* const* argv, FolderRequest& request);

}  // namespace app
