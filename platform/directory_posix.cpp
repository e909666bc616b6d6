#include "platform/directory.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <utility>

namespace platform {

namespace {

EntryKind kindOf(const struct stat& st) {
    if (S_ISREG(st.st_mode)) return EntryKind::File;
    if (S_ISDIR(st.st_mode)) return EntryKind::Folder;
    return EntryKind::Other;
}

}  // namespace

bool listDirectory(const char* path, std::vector<DirectoryEntry>& entries) {
    entries.clear();
    const int folder = ::open(path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) return false;
    DIR* stream = ::fdopendir(folder);
    if (stream == nullptr) {
        ::close(folder);
        return false;
    }
    while (const struct dirent* entry = ::readdir(stream)) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
        DirectoryEntry listed;
        listed.name = entry->d_name;
        // Asked of the entry itself (no link followed), relative to the open folder.
        struct stat st {};
        if (::fstatat(folder, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0) {
            listed.kind = kindOf(st);
            if (listed.kind == EntryKind::File) listed.size = static_cast<std::uint64_t>(st.st_size);
        }
        entries.push_back(std::move(listed));
    }
    ::closedir(stream);  // closes `folder` too
    return true;
}

}  // namespace platform
