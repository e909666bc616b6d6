#include "rpls/bdav_folder.h"

#include <algorithm>
#include <cstring>

namespace rpls {

namespace {

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalIgnoringCase(const std::string& a, const char* b) {
    if (a.size() != std::strlen(b)) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
    }
    return true;
}

// The child folder of that name (any case); false when there is none. A folder with both
// "PLAYLIST" and "playlist" takes the first in name order.
bool findChildFolder(const std::vector<platform::DirectoryEntry>& entries, const char* name, std::string& found) {
    bool any = false;
    for (const platform::DirectoryEntry& entry : entries) {
        if (entry.kind != platform::EntryKind::Folder || !equalIgnoringCase(entry.name, name)) continue;
        if (!any || entry.name < found) found = entry.name;
        any = true;
    }
    return any;
}

}  // namespace

std::string joinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    const char last = folder.back();
    return last == '/' || last == '\\' ? folder + name : folder + "/" + name;
}

bool hasExtension(const std::string& name, const char* extension) {
    const std::size_t length = std::strlen(extension);
    return name.size() > length && equalIgnoringCase(name.substr(name.size() - length), extension);
}

BdavProblem openBdavFolder(const char* folder, BdavFolder& bdav) {
    std::vector<platform::DirectoryEntry> entries;
    if (!platform::listDirectory(folder, entries)) return BdavProblem::Unreadable;
    std::string child;
    bdav.bdav = folder;
    if (!findChildFolder(entries, "PLAYLIST", child)) {
        if (!findChildFolder(entries, "BDAV", child)) return BdavProblem::NoPlaylistFolder;
        bdav.bdav = joinPath(folder, child);
        if (!platform::listDirectory(bdav.bdav.c_str(), entries)) return BdavProblem::Unreadable;
        if (!findChildFolder(entries, "PLAYLIST", child)) return BdavProblem::NoPlaylistFolder;
    }
    bdav.playlist = joinPath(bdav.bdav, child);
    bdav.stream.clear();
    bdav.streams.clear();
    if (findChildFolder(entries, "STREAM", child)) {
        bdav.stream = joinPath(bdav.bdav, child);
        // An unreadable STREAM/ leaves every clip without its stream, which each playlist reports.
        if (!platform::listDirectory(bdav.stream.c_str(), bdav.streams)) bdav.streams.clear();
    }
    return BdavProblem::None;
}

bool listPlaylists(const BdavFolder& bdav, std::vector<std::string>& names) {
    names.clear();
    std::vector<platform::DirectoryEntry> entries;
    if (!platform::listDirectory(bdav.playlist.c_str(), entries)) return false;
    for (platform::DirectoryEntry& entry : entries) {
        if (entry.kind == platform::EntryKind::File && hasExtension(entry.name, ".rpls"))
            names.push_back(std::move(entry.name));
    }
    std::sort(names.begin(), names.end());
    return true;
}

StreamLookup findClipStream(const BdavFolder& bdav, const char* clip, const char* extension,
                            const platform::DirectoryEntry*& stream) {
    stream = nullptr;
    const std::string wanted = std::string(clip) + extension;
    for (const platform::DirectoryEntry& entry : bdav.streams) {
        if (entry.kind != platform::EntryKind::File || !equalIgnoringCase(entry.name, wanted.c_str())) continue;
        // 00001.m2ts beside 00001.M2TS (a case-sensitive file system): which one the recorder
        // plays cannot be told, so neither is taken.
        if (stream != nullptr) return StreamLookup::Ambiguous;
        stream = &entry;
    }
    return stream != nullptr ? StreamLookup::Found : StreamLookup::Missing;
}

}  // namespace rpls
