#include "app/run_tolvane.h"

#include <cstring>

#include "app/command_line.h"
#include "app/help_text.h"
#include "app/parameters.h"
#include "common/messages.h"
#include "platform/console.h"
#include "platform/file.h"
#include "rpls/file_kind.h"
#include "rpls/patch_destination.h"
#include "rpls/read_rpls_info.h"
#include "rpls/whole_file.h"
#include "ts/read_ts_info.h"

namespace app {

namespace {

constexpr int kFailure = 1;
constexpr int kSuccess = 0;

// Prints the one message of a failure; the run then ends with status 1.
bool report(const char* format, const char* name) {
    platform::print(format, name);
    return false;
}

// Fills the record from the source file. Answers false after printing the message.
bool readSource(const char* name, int readStartPercent, rpls::ProgramInfo& info, bool& sourceHasExtText) {
    platform::File source;
    if (!source.openExisting(name, platform::Access::Read, true)) return report(common::msg::kSourceOpenFailed, name);
    const rpls::FileKind kind = rpls::detectFileKind(source);
    switch (kind) {
        case rpls::FileKind::NotRecognised: return report(common::msg::kSourceNotRecognised, name);
        case rpls::FileKind::Rpls:
            switch (rpls::readRplsInfo(source, info)) {
                case rpls::RplsReadResult::WithExtText: sourceHasExtText = true; return true;
                case rpls::RplsReadResult::WithoutExtText: sourceHasExtText = false; return true;
                case rpls::RplsReadResult::AllocationFailed:
                    return report(common::msg::kReadBufferAllocationFailed, name);
                case rpls::RplsReadResult::ReadFailed: return report(common::msg::kSourceReadFailed, name);
            }
            return false;
        case rpls::FileKind::Ts188:
        case rpls::FileKind::Ts192:
            if (!ts::readTsInfo(info, source, static_cast<int>(kind), readStartPercent)) {
                return report(common::msg::kNoProgrammeInfo, name);
            }
            return true;
    }
    return false;
}

bool patchDestinationFile(const char* name, const rpls::ProgramInfo& info, const common::OptionFlags& flags,
                          bool sourceHasExtText) {
    platform::File destination;
    if (!destination.openExisting(name, platform::Access::ReadWrite, true))
        return report(common::msg::kDestinationOpenFailed, name);
    if (rpls::detectFileKind(destination) != rpls::FileKind::Rpls)
        return report(common::msg::kDestinationNotRpls, name);

    rpls::WholeFile image;
    switch (image.load(destination, true)) {
        case rpls::WholeFile::Status::Ok: break;
        case rpls::WholeFile::Status::AllocationFailed: return report(common::msg::kBufferAllocationFailed, name);
        case rpls::WholeFile::Status::ReadFailed: return report(common::msg::kDestinationReadFailed, name);
    }
    // A file too short for the fixed fields, or whose private block the patch would write
    // past the end of, is refused before anything is written.
    if (!rpls::isPatchableImage(image.view())) return report(common::msg::kDestinationNotRpls, name);

    rpls::patchDestination(image.view(), info, flags, sourceHasExtText);

    switch (image.storeChanges(destination)) {
        case rpls::WholeFile::StoreResult::Stored: platform::print("%s", common::msg::kDone); return true;
        case rpls::WholeFile::StoreResult::FailedRestored:
            report(common::msg::kSaveFailed, name);
            return report("%s", common::msg::kSaveRestored);
        case rpls::WholeFile::StoreResult::FailedDamaged:
            report(common::msg::kSaveFailed, name);
            return report("%s", common::msg::kSaveDamaged);
    }
    return false;
}

}  // namespace

int runTolvane(int argc, const char* const* argv) {
    if (argc <= 1) {
        platform::print("%s", common::msg::kBanner);
        return kFailure;
    }
    // --version prints the banner's version line, without the blank line in front of it.
    switch (infoRequest(argc, argv)) {
        case InfoRequest::Help: platform::print("%s", kHelpText); return kSuccess;
        case InfoRequest::Version: platform::print("%s", common::msg::kBanner + 1); return kSuccess;
        case InfoRequest::None: break;
    }
    common::OptionFlags flags;
    common::ArgumentSlots slots;
    if (!parseCommandLine(argc, argv, flags, slots)) return kFailure;

    static rpls::ProgramInfo info;
    std::memset(&info, 0, sizeof info);
    bool sourceHasExtText = true;

    if (slots.sourceArg == 0) {
        if (!applyParameters(info, slots, argv, flags)) return kFailure;
    } else if (!readSource(argv[slots.sourceArg], slots.readStartPercent, info, sourceHasExtText)) {
        return kFailure;
    }
    return patchDestinationFile(argv[slots.destinationArg], info, flags, sourceHasExtText) ? kSuccess : kFailure;
}

}  // namespace app
