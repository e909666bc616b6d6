// Listing the entries of a folder, as the folder runs walk a recorder's BDAV folder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// What an entry is, judged without following links: a link (or a Windows reparse point) is
// Other, so a run that takes only Files and Folders never leaves the folder it was given.
enum class EntryKind { File, Folder, Other };

struct DirectoryEntry {
    std::string name;  // UTF-8, as on the command line
    EntryKind kind = EntryKind::Other;
    std::uint64_t size = 0;  // bytes, for files
};

// Fills `entries` with the entries of the folder `path` (without "." and ".."), in the order
// the system gives them. False when the folder cannot be read.
bool listDirectory(const char* path, std::vector<DirectoryEntry>& entries);

}  // namespace platform
