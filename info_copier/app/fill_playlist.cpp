#include "app/fill_playlist.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "app/folder_messages.h"
#include "platform/file.h"
#include "platform/interrupt.h"
#include "rpls/file_kind.h"
#include "rpls/patch_destination.h"
#include "rpls/play_list.h"
#include "ts/read_ts_info.h"

namespace app {

namespace {

constexpr int kBd192PacketSize = 192;

FillResult& notFilled(FillResult& result, const char* reason) {
    result.outcome = FillOutcome::NotFilled;
    std::snprintf(result.reason, sizeof result.reason, "%s", reason);
    return result;
}

// The codec identifier as printable text: other bytes become '?'.
void printableCodec(const rpls::PlayItem& item, char (&out)[rpls::kCodecLength + 1]) {
    for (std::size_t i = 0; i < rpls::kCodecLength; ++i) {
        const char c = item.codec[i];
        out[i] = c > ' ' && c < 0x7F ? c : '?';
    }
    out[rpls::kCodecLength] = '\0';
}

bool sameBytes(rpls::ConstByteView a, rpls::ConstByteView b) {
    return a.size() == b.size() && (a.size() == 0 || std::memcmp(a.data(), b.data(), a.size()) == 0);
}

}  // namespace

// The source half of `tolvane SWITCHES -f PERCENT STREAM PLAYLIST`: the stream is opened the
// same way and read by the same TS reader into a zeroed record.
bool PlaylistFiller::readStream(const std::string& path, FillResult& result) {
    platform::File stream;
    if (!stream.openExisting(path.c_str(), platform::Access::Read, true)) {
        notFilled(result, folder_msg::kStreamOpenFailed);
        return false;
    }
    if (rpls::detectFileKind(stream) != rpls::FileKind::Ts192) {
        notFilled(result, folder_msg::kStreamNotBd192);
        return false;
    }
    if (!workspace_) workspace_.reset(new (std::nothrow) ts::TsInfoWorkspace);
    if (!workspace_) {
        notFilled(result, folder_msg::kBufferAllocationFailed);
        return false;
    }
    std::memset(&info_, 0, sizeof info_);
    if (!ts::readTsInfo(info_, stream, kBd192PacketSize, readStartPercent_, *workspace_)) {
        notFilled(result, folder_msg::kNoProgrammeInfo);
        return false;
    }
    return true;
}

// Opens the playlist for writing, held without sharing from the first read to the save so
// that it cannot change in between (a dry run that cannot write still shows the changes), and
// loads an image that the patch can take.
bool PlaylistFiller::loadPlaylist(const std::string& path, platform::File& playlist, bool& writable,
                                  FillResult& result) {
    writable = playlist.openExisting(path.c_str(), platform::Access::ReadWrite, true);
    if (!writable && !(dryRun_ && playlist.openExisting(path.c_str(), platform::Access::Read, true))) {
        notFilled(result, folder_msg::kPlaylistOpenFailed);
        return false;
    }
    if (rpls::detectFileKind(playlist) != rpls::FileKind::Rpls) {
        notFilled(result, folder_msg::kPlaylistNotRpls);
        return false;
    }
    switch (image_.load(playlist, true)) {
        case rpls::WholeFile::Status::Ok: break;
        case rpls::WholeFile::Status::AllocationFailed:
            notFilled(result, folder_msg::kBufferAllocationFailed);
            return false;
        case rpls::WholeFile::Status::ReadFailed: notFilled(result, folder_msg::kPlaylistReadFailed); return false;
    }
    if (!rpls::isPatchableImage(image_.view())) {
        notFilled(result, folder_msg::kPlaylistNotRpls);
        return false;
    }
    return true;
}

// The stream of the clip playing at the middle of the playlist; null after saying why not.
const platform::DirectoryEntry* PlaylistFiller::chooseStream(FillResult& result) const {
    const rpls::ConstByteView image = image_.view();
    const rpls::PlayList list = rpls::readPlayList(image);
    if (list.problem != rpls::PlayListProblem::None) {
        result.outcome = FillOutcome::NotFilled;
        rpls::describePlayListProblem(list, rpls::Language::Japanese, result.reason, sizeof result.reason);
        return nullptr;
    }
    const int middle = rpls::middlePlayItem(image, list);
    if (middle < 0) {
        notFilled(result, folder_msg::kNoPlayItems);
        return nullptr;
    }
    rpls::PlayItem item;
    rpls::PlayItemCursor cursor(image, list);
    for (int i = 0; i <= middle; ++i) cursor.next(item);
    result.outcome = FillOutcome::NotFilled;
    if (!item.isTransportStream()) {
        char codec[rpls::kCodecLength + 1];
        printableCodec(item, codec);
        std::snprintf(result.reason, sizeof result.reason, folder_msg::kNotTransportStream, item.clipName, codec);
        return nullptr;
    }
    if (bdav_.stream.empty()) {
        notFilled(result, folder_msg::kNoStreamFolder);
        return nullptr;
    }
    const platform::DirectoryEntry* stream = nullptr;
    switch (rpls::findClipStream(bdav_, item.clipName, ".m2ts", stream)) {
        case rpls::StreamLookup::Found: return stream;
        case rpls::StreamLookup::Missing:
            std::snprintf(result.reason, sizeof result.reason, folder_msg::kStreamMissing, item.clipName,
                          item.clipName);
            return nullptr;
        case rpls::StreamLookup::Ambiguous:
            std::snprintf(result.reason, sizeof result.reason, folder_msg::kStreamAmbiguous, item.clipName);
            return nullptr;
    }
    return nullptr;
}

FillResult PlaylistFiller::fill(const std::string& name) {
    FillResult result;
    platform::File playlist;
    bool writable = false;
    if (!loadPlaylist(rpls::joinPath(bdav_.playlist, name), playlist, writable, result)) return result;
    const platform::DirectoryEntry* stream = chooseStream(result);
    if (stream == nullptr) return result;
    result.stream = stream->name;
    if (!readStream(rpls::joinPath(bdav_.stream, stream->name), result)) return result;

    // A TS source can always supply an extended text.
    rpls::patchDestination(image_.view(), info_, flags_, true);
    result.imageLoaded = true;
    if (sameBytes(image_.original(), static_cast<const rpls::WholeFile&>(image_).view())) {
        result.outcome = FillOutcome::UpToDate;
        return result;
    }
    if (dryRun_) {
        if (!writable) return notFilled(result, folder_msg::kNotWritable);
        result.outcome = FillOutcome::Filled;
        return result;
    }
    // Stop before a save that the user no longer wants; the one under way always ends.
    if (platform::interruptRequested()) {
        notFilled(result, folder_msg::kInterruptedBeforeSave);
        result.outcome = FillOutcome::Interrupted;
        return result;
    }
    switch (image_.storeChanges(playlist)) {
        case rpls::WholeFile::StoreResult::Stored: result.outcome = FillOutcome::Filled; return result;
        case rpls::WholeFile::StoreResult::FailedRestored: return notFilled(result, folder_msg::kSaveFailedRestored);
        case rpls::WholeFile::StoreResult::FailedDamaged: return notFilled(result, folder_msg::kSaveFailedDamaged);
    }
    return result;
}

}  // namespace app
