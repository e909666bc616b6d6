#include "platform/wide_path.h"

#include <windows.h>

namespace platform {

std::wstring widePath(const char* utf8Name) {
    const int units = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8Name, -1, nullptr, 0);
    if (units <= 1) return {};
    std::wstring name(static_cast<std::size_t>(units), L'\0');
    ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8Name, -1, name.data(), units);
    name.resize(static_cast<std::size_t>(units - 1));
    if (name.size() < MAX_PATH - 12 || name.starts_with(L"\\\\?\\")) return name;

    // Past MAX_PATH only the \\?\ form of the full name reaches the file (no "." or "..",
    // backslashes only), which GetFullPathNameW produces.
    const DWORD fullUnits = ::GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
    if (fullUnits == 0) return name;
    std::wstring full(fullUnits, L'\0');
    const DWORD written = ::GetFullPathNameW(name.c_str(), fullUnits, full.data(), nullptr);
    if (written == 0 || written >= fullUnits) return name;
    full.resize(written);
    if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

}  // namespace platform
