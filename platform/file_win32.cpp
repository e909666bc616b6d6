#include "platform/file.h"

#include "platform/wide_path.h"

#include <windows.h>

#include <algorithm>
#include <type_traits>
#include <utility>

namespace platform {

static_assert(std::is_same_v<NativeHandle, HANDLE>);

namespace {

// ReadFile and WriteFile take at most a DWORD per call.
constexpr std::size_t kLargestTransfer = std::size_t{1} << 30;

DWORD accessRights(Access access) { return access == Access::Read ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE; }

HANDLE openHandle(const std::wstring& name, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
    const HANDLE handle = ::CreateFileW(name.c_str(), access, share, nullptr, disposition, flags, nullptr);
    return handle == INVALID_HANDLE_VALUE ? nullptr : handle;
}

}  // namespace

File::~File() { close(); }

File::File(File&& other) noexcept
    : fd_(std::exchange(other.fd_, kNoHandle)), unbuffered_(std::exchange(other.unbuffered_, false)) {}

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        close();
        fd_ = std::exchange(other.fd_, kNoHandle);
        unbuffered_ = std::exchange(other.unbuffered_, false);
    }
    return *this;
}

bool File::openExisting(const char* path, Access access, bool exclusive, bool unbuffered) {
    close();
    const std::wstring name = widePath(path);
    if (name.empty()) return false;
    // "No sharing" is share mode 0: every other open of the file fails while this one lasts.
    const DWORD share = exclusive ? 0 : FILE_SHARE_READ | FILE_SHARE_WRITE;
    HANDLE handle = nullptr;
    if (unbuffered) {
        handle = openHandle(name, accessRights(access), share, OPEN_EXISTING, FILE_FLAG_NO_BUFFERING);
        unbuffered_ = handle != nullptr;
    }
    if (handle == nullptr)
        handle = openHandle(name, accessRights(access), share, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN);
    if (handle == nullptr) {
        unbuffered_ = false;
        return false;
    }
    // Regular files only: a console, a pipe or a device is refused like a missing file.
    if (::GetFileType(handle) != FILE_TYPE_DISK) {
        ::CloseHandle(handle);
        unbuffered_ = false;
        return false;
    }
    fd_ = handle;
    return true;
}

bool File::createNew(const char* path, bool unbuffered) {
    close();
    const std::wstring name = widePath(path);
    if (name.empty()) return false;
    HANDLE handle = nullptr;
    if (unbuffered) {
        // The unbuffered writer cuts the file's last block through a second, buffered handle on
        // the same file, which this share mode lets in.
        handle =
            openHandle(name, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, CREATE_NEW, FILE_FLAG_NO_BUFFERING);
        if (handle == nullptr && ::GetLastError() == ERROR_FILE_EXISTS) return false;
        unbuffered_ = handle != nullptr;
    }
    if (handle == nullptr) handle = openHandle(name, GENERIC_WRITE, 0, CREATE_NEW, FILE_FLAG_SEQUENTIAL_SCAN);
    if (handle == nullptr) {
        unbuffered_ = false;
        return false;
    }
    fd_ = handle;
    return true;
}

void File::adopt(NativeHandle handle) {
    close();
    fd_ = handle;
}

void File::close() {
    if (fd_ != kNoHandle) ::CloseHandle(fd_);
    fd_ = kNoHandle;
    unbuffered_ = false;
}

// A handle's buffering is fixed when it is opened; the unbuffered transfers here are always
// whole aligned blocks, which every Windows filesystem takes.
bool File::dropUnbuffered() { return false; }

std::int64_t File::read(void* buffer, std::size_t length) {
    if (fd_ == kNoHandle) return -1;
    auto* bytes = static_cast<unsigned char*>(buffer);
    std::size_t done = 0;
    while (done < length) {
        const auto ask = static_cast<DWORD>(std::min(length - done, kLargestTransfer));
        DWORD got = 0;
        if (!::ReadFile(fd_, bytes + done, ask, &got, nullptr)) {
            // A pipe whose writer has closed its end reports that instead of a read of 0 bytes.
            if (::GetLastError() == ERROR_BROKEN_PIPE) break;
            return -1;
        }
        if (got == 0) break;
        done += got;
    }
    return static_cast<std::int64_t>(done);
}

std::int64_t File::write(const void* buffer, std::size_t length) {
    if (fd_ == kNoHandle) return -1;
    const auto* bytes = static_cast<const unsigned char*>(buffer);
    std::size_t done = 0;
    while (done < length) {
        const auto ask = static_cast<DWORD>(std::min(length - done, kLargestTransfer));
        DWORD put = 0;
        if (!::WriteFile(fd_, bytes + done, ask, &put, nullptr))
            return done == 0 ? -1 : static_cast<std::int64_t>(done);
        if (put == 0) break;
        done += put;
    }
    return static_cast<std::int64_t>(done);
}

bool File::seek(std::int64_t offset, Origin origin) {
    if (fd_ == kNoHandle) return false;
    LARGE_INTEGER distance;
    distance.QuadPart = offset;
    const DWORD method = origin == Origin::Begin ? FILE_BEGIN : origin == Origin::Current ? FILE_CURRENT : FILE_END;
    return ::SetFilePointerEx(fd_, distance, nullptr, method) != 0;
}

std::int64_t File::position() const {
    if (fd_ == kNoHandle) return -1;
    LARGE_INTEGER zero;
    zero.QuadPart = 0;
    LARGE_INTEGER at;
    if (!::SetFilePointerEx(fd_, zero, &at, FILE_CURRENT)) return -1;
    return at.QuadPart;
}

std::int64_t File::size() const {
    if (fd_ == kNoHandle) return -1;
    LARGE_INTEGER bytes;
    if (!::GetFileSizeEx(fd_, &bytes)) return -1;
    return bytes.QuadPart;
}

bool File::truncateHere() { return fd_ != kNoHandle && ::SetEndOfFile(fd_) != 0; }

bool File::flushToDisk() { return fd_ != kNoHandle && ::FlushFileBuffers(fd_) != 0; }

bool removeFile(const char* path) {
    const std::wstring name = widePath(path);
    return !name.empty() && ::DeleteFileW(name.c_str()) != 0;
}

}  // namespace platform
