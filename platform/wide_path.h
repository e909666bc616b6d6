// UTF-8 file names turned into the UTF-16 names that the Win32 file calls take.
#pragma once

#include <string>

namespace platform {

// The name as UTF-16, with the long-path prefix where a name is too long for the plain form.
// Empty when the name is empty or not valid UTF-8.
std::wstring widePath(const char* utf8Name);

}  // namespace platform
