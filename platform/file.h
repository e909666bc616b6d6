// Thin file layer: the only place where the programs meet the operating system's file calls.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

enum class Access { Read, ReadWrite };
enum class Origin { Begin, Current, End };

// Block size and alignment that unbuffered transfers need (buffer address, file offset, length).
inline constexpr std::size_t kUnbufferedAlignment = 65536;

#if defined(_WIN32)
using NativeHandle = void*;  // a HANDLE; nullptr when no file is open
inline constexpr NativeHandle kNoHandle = nullptr;
#else
using NativeHandle = int;  // a file descriptor
inline constexpr NativeHandle kNoHandle = -1;
#endif

class File {
public:
    File() = default;
    ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;

    // Opens an existing file. With `exclusive`, another process that holds or asks for the
    // same exclusive lock is refused (advisory lock), which stands for "no sharing".
    // With `unbuffered`, the system cache is bypassed where the filesystem allows it;
    // where it does not, the file is opened buffered without notice.
    bool openExisting(const char* path, Access access, bool exclusive, bool unbuffered = false);

    // Creates a new file for writing; fails when the name already exists.
    bool createNew(const char* path, bool unbuffered);

    // Takes over an open handle (a duplicate of a standard stream), buffered; closes it in turn.
    void adopt(NativeHandle handle);

    bool isOpen() const { return fd_ != kNoHandle; }
    bool isUnbuffered() const { return unbuffered_; }
    void close();

    // Reads up to `length` bytes, retrying short reads; answers the count read (less only at
    // the end of the file) or -1 on an error.
    std::int64_t read(void* buffer, std::size_t length);
    // Writes all `length` bytes; answers the count written (less only on an error) or -1.
    std::int64_t write(const void* buffer, std::size_t length);

    bool seek(std::int64_t offset, Origin origin = Origin::Begin);
    std::int64_t position() const;  // -1 on error
    std::int64_t size() const;      // -1 on error
    // Cuts the file at the current position.
    bool truncateHere();
    // Writes the file's data through to the disk (fsync / FlushFileBuffers); false on failure.
    bool flushToDisk();

private:
    bool dropUnbuffered();

    NativeHandle fd_ = kNoHandle;
    bool unbuffered_ = false;
};

// Removes the file of that name (unlink / DeleteFileW), as a run removes an output it created
// and must not leave behind; false when it cannot.
bool removeFile(const char* path);

}  // namespace platform
