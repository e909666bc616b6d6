#include "app/folder_command_line.h"

#include <cstring>

#include "app/copy_switches.h"
#include "app/folder_messages.h"
#include "app/number_scan.h"
#include "common/messages.h"
#include "platform/console.h"

namespace app {

namespace {

constexpr const char* kFolderOption = "--bdav";
constexpr const char* kDryRunOption = "--dry-run";

bool isLongOption(const char* arg) { return arg[0] == '-' && arg[1] == '-'; }

// A switch argument of single letters whose value letter takes the argument that follows.
bool takesValue(const char* arg) {
    for (const char* letter = arg + 1; *letter != '\0'; ++letter) {
        if (*letter == 'f' || isParameterLetter(*letter)) return true;
    }
    return false;
}

bool fail(const char* message) {
    platform::print("%s", message);
    return false;
}

bool failWith(const char* format, const char* name) {
    platform::print(format, name);
    return false;
}

// The letters of one switch argument; `valuePosition` is the argument after it (-1 = none).
bool takeLetters(const char* arg, int valuePosition, const char* const* argv, FolderRequest& request) {
    for (const char* letter = arg + 1; *letter != '\0'; ++letter) {
        if (setCopyFlag(*letter, request.flags)) continue;
        if (*letter == 'w') {
            request.flags.sizeControls = false;
        } else if (*letter == 'f') {
            if (valuePosition < 0) return fail(common::msg::kBadPercent);
            const long long percent = parseDecimal(argv[valuePosition]);
            if (percent < 0 || percent > 99) return fail(common::msg::kBadPercent);
            request.readStartPercent = static_cast<int>(percent);
        } else if (isParameterLetter(*letter)) {
            return fail(folder_msg::kParameterWithFolder);
        } else {
            return fail(common::msg::kBadSwitch);
        }
    }
    return true;
}

}  // namespace

bool isFolderRequest(int argc, const char* const* argv) {
    for (int pos = 1; pos < argc; ++pos) {
        const char* arg = argv[pos];
        if (std::strcmp(arg, kFolderOption) == 0 || std::strcmp(arg, kDryRunOption) == 0) return true;
        if (arg[0] == '-' && arg[1] != '\0' && !isLongOption(arg) && takesValue(arg)) ++pos;
    }
    return false;
}

bool parseFolderCommandLine(int argc, const char* const* argv, FolderRequest& request) {
    // --dry-run belongs to the folder run alone; say so before anything else.
    bool folderOption = false;
    for (int pos = 1; pos < argc; ++pos) folderOption = folderOption || std::strcmp(argv[pos], kFolderOption) == 0;
    if (!folderOption) return fail(folder_msg::kDryRunAlone);
    bool folderGiven = false;
    for (int pos = 1; pos < argc; ++pos) {
        const char* arg = argv[pos];
        if (std::strcmp(arg, kFolderOption) == 0) {
            if (folderGiven) return fail(folder_msg::kTwoFolders);
            // The folder is the next argument, unless that is one of the long options.
            if (pos + 1 >= argc || std::strcmp(argv[pos + 1], kDryRunOption) == 0 ||
                std::strcmp(argv[pos + 1], kFolderOption) == 0 || argv[pos + 1][0] == '\0')
                return fail(folder_msg::kNoFolder);
            request.folder = argv[++pos];
            folderGiven = true;
        } else if (std::strcmp(arg, kDryRunOption) == 0) {
            request.dryRun = true;
        } else if (isLongOption(arg)) {
            return fail(common::msg::kBadSwitch);
        } else if (arg[0] == '-' && arg[1] != '\0') {
            const int valuePosition = pos + 1 < argc ? pos + 1 : -1;
            if (!takeLetters(arg, valuePosition, argv, request)) return false;
            if (takesValue(arg)) ++pos;
        } else if (arg[0] != '-') {
            return failWith(folder_msg::kFileWithFolder, arg);
        }
        // A lone "-" is skipped, as in copy mode.
    }
    if (!request.flags.anyCopy()) return fail(common::msg::kNoOption);
    if (request.flags.joinTexts && request.flags.copyText) return fail(common::msg::kTextWithJoin);
    if (request.flags.joinTexts && request.flags.copyExtText) return fail(common::msg::kExtTextWithJoin);
    return true;
}

}  // namespace app
