#include "platform/directory.h"

#include <windows.h>

#include <cwchar>
#include <utility>

#include "platform/utf8.h"
#include "platform/wide_path.h"

namespace platform {

namespace {

// Wide names of up to MAX_PATH units become at most three UTF-8 bytes per unit.
constexpr std::size_t kNameCapacity = 3 * MAX_PATH + 1;

std::string utf8Name(const wchar_t* wide) {
    std::u16string units;
    for (const wchar_t* unit = wide; *unit != L'\0'; ++unit) units.push_back(static_cast<char16_t>(*unit));
    char name[kNameCapacity];
    const std::size_t length = utf16ToUtf8(units.data(), units.size(), name, sizeof name);
    return std::string(name, length);
}

EntryKind kindOf(const WIN32_FIND_DATAW& found) {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) return EntryKind::Other;
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return EntryKind::Folder;
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) != 0) return EntryKind::Other;
    return EntryKind::File;
}

}  // namespace

bool listDirectory(const char* path, std::vector<DirectoryEntry>& entries) {
    entries.clear();
    std::string pattern = path;
    if (!pattern.empty() && pattern.back() != '/' && pattern.back() != '\\') pattern += '\\';
    pattern += '*';
    const std::wstring widePattern = widePath(pattern.c_str());
    if (widePattern.empty()) return false;
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW(widePattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return ::GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
        if (std::wcscmp(found.cFileName, L".") == 0 || std::wcscmp(found.cFileName, L"..") == 0) continue;
        DirectoryEntry listed;
        listed.name = utf8Name(found.cFileName);
        listed.kind = kindOf(found);
        if (listed.kind == EntryKind::File)
            listed.size = (std::uint64_t{found.nFileSizeHigh} << 32) | std::uint64_t{found.nFileSizeLow};
        entries.push_back(std::move(listed));
    } while (::FindNextFileW(search, &found));
    const bool complete = ::GetLastError() == ERROR_NO_MORE_FILES;
    ::FindClose(search);
    return complete;
}

}  // namespace platform
