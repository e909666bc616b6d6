#include "app/run_folder.h"

#include <string>
#include <vector>

#include "app/fill_playlist.h"
#include "app/fill_report.h"
#include "app/folder_command_line.h"
#include "app/folder_messages.h"
#include "platform/console.h"
#include "platform/interrupt.h"
#include "rpls/bdav_folder.h"

namespace app {

namespace {

constexpr int kFailure = 1;
constexpr int kSuccess = 0;

struct Tally {
    int filled = 0;
    int upToDate = 0;
    int notFilled = 0;
};

bool openFolder(const char* folder, rpls::BdavFolder& bdav, std::vector<std::string>& playlists) {
    switch (rpls::openBdavFolder(folder, bdav)) {
        case rpls::BdavProblem::None: break;
        case rpls::BdavProblem::Unreadable: platform::print(folder_msg::kFolderUnreadable, folder); return false;
        case rpls::BdavProblem::NoPlaylistFolder: platform::print(folder_msg::kNoPlaylistFolder, folder); return false;
    }
    if (!rpls::listPlaylists(bdav, playlists)) {
        platform::print(folder_msg::kPlaylistFolderUnreadable, bdav.playlist.c_str());
        return false;
    }
    return true;
}

}  // namespace

int runFolder(int argc, const char* const* argv) {
    static FolderRequest request;
    request = FolderRequest{};
    if (!parseFolderCommandLine(argc, argv, request)) return kFailure;

    rpls::BdavFolder bdav;
    std::vector<std::string> playlists;
    if (!openFolder(request.folder, bdav, playlists)) return kFailure;
    if (playlists.empty()) {
        // Nothing to fill is no failure of a playlist, and nothing was done.
        platform::print(folder_msg::kNoPlaylists, bdav.playlist.c_str());
        return kSuccess;
    }
    if (request.dryRun) platform::print("%s", folder_msg::kDryRunHeading);

    platform::watchInterrupts();
    PlaylistFiller filler(bdav, request.flags, request.readStartPercent, request.dryRun);
    Tally tally;
    int done = 0;
    bool interrupted = false;
    for (const std::string& name : playlists) {
        if (platform::interruptRequested()) {
            interrupted = true;
            break;
        }
        const FillResult result = filler.fill(name);
        reportPlaylist(name, result, filler.image(), request.dryRun);
        platform::flushConsole();
        switch (result.outcome) {
            case FillOutcome::Filled: ++tally.filled; break;
            case FillOutcome::UpToDate: ++tally.upToDate; break;
            case FillOutcome::NotFilled: ++tally.notFilled; break;
            case FillOutcome::Interrupted: interrupted = true; break;
        }
        if (interrupted) break;
        ++done;
    }
    const int total = static_cast<int>(playlists.size());
    platform::print(request.dryRun ? folder_msg::kDryRunSummary : folder_msg::kSummary, tally.filled, tally.upToDate,
                    tally.notFilled, total);
    if (interrupted) {
        platform::print(folder_msg::kInterrupted, total, done);
        return kFailure;
    }
    return tally.notFilled == 0 ? kSuccess : kFailure;
}

}  // namespace app
