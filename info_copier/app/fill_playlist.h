// One playlist of a folder run: the clip it plays at the middle of its playing time is read as
// a TS source, and the playlist is patched and saved exactly as the single-file copy from that
// stream would patch and save it. A playlist that cannot be filled is left as it was.
#pragma once

#include <memory>
#include <string>

#include "common/option_flags.h"
#include "platform/file.h"
#include "rpls/bdav_folder.h"
#include "rpls/program_info.h"
#include "rpls/whole_file.h"
#include "ts/ts_info_workspace.h"

namespace app {

enum class FillOutcome {
    Filled,       // saved (a dry run: would be saved)
    UpToDate,     // the patch changes no byte
    NotFilled,    // left as it was; `reason` says why
    Interrupted,  // the user asked the run to stop before the save; left as it was
};

struct FillResult {
    FillOutcome outcome = FillOutcome::NotFilled;
    std::string stream;        // the stream file it was (or would be) filled from; empty when none
    char reason[512] = {};     // for NotFilled
    bool imageLoaded = false;  // the playlist's image before and after the patch can be shown
};

class PlaylistFiller {
public:
    PlaylistFiller(const rpls::BdavFolder& bdav, const common::OptionFlags& flags, int readStartPercent, bool dryRun)
        : bdav_(bdav), flags_(flags), readStartPercent_(readStartPercent), dryRun_(dryRun) {}

    // Fills the playlist `name` of PLAYLIST/. Prints nothing.
    FillResult fill(const std::string& name);

    // The image of the last playlist: the bytes as read, and as patched.
    const rpls::WholeFile& image() const { return image_; }

private:
    bool loadPlaylist(const std::string& path, platform::File& playlist, bool& writable, FillResult& result);
    const platform::DirectoryEntry* chooseStream(FillResult& result) const;
    bool readStream(const std::string& path, FillResult& result);

    const rpls::BdavFolder& bdav_;
    const common::OptionFlags& flags_;
    const int readStartPercent_;
    const bool dryRun_;
    rpls::WholeFile image_;
    rpls::ProgramInfo info_{};
    // The TS reader's working memory, allocated at the first stream and kept for the run.
    std::unique_ptr<ts::TsInfoWorkspace> workspace_;
};

}  // namespace app
