#include "platform/arguments.h"

#include <windows.h>
// After windows.h, whose types it uses.
#include <shellapi.h>

namespace platform {

Arguments::Arguments(int argc, char** argv) : count_(argc), values_(argv) {
    int wideCount = 0;
    LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &wideCount);
    if (wide == nullptr) return;  // main's arguments are the best there is then
    texts_.reserve(static_cast<std::size_t>(wideCount));
    for (int i = 0; i < wideCount; ++i) {
        const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string text(bytes > 0 ? static_cast<std::size_t>(bytes) : 1, '\0');
        if (bytes > 0) ::WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, text.data(), bytes, nullptr, nullptr);
        text.resize(text.size() - 1);
        texts_.push_back(std::move(text));
    }
    ::LocalFree(wide);
    for (std::string& text : texts_) pointers_.push_back(text.data());
    pointers_.push_back(nullptr);
    count_ = wideCount;
    values_ = pointers_.data();
}

}  // namespace platform
