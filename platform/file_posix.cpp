#include "platform/file.h"

#include "platform/interrupt.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <utility>

namespace platform {

namespace {

int openFlags(Access access) { return (access == Access::Read ? O_RDONLY : O_RDWR) | O_CLOEXEC; }

}  // namespace

File::~File() { close(); }

File::File(File&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), unbuffered_(std::exchange(other.unbuffered_, false)) {}

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        close();
        fd_ = std::exchange(other.fd_, -1);
        unbuffered_ = std::exchange(other.unbuffered_, false);
    }
    return *this;
}

bool File::openExisting(const char* path, Access access, bool exclusive, bool unbuffered) {
    close();
    // Opened without blocking, so that a FIFO without a writer (or a device that waits for a
    // carrier) answers at once; anything but a regular file is then refused like a missing one.
    const int flags = openFlags(access) | O_NONBLOCK | O_NOCTTY;
    int fd = -1;
    if (unbuffered) {
        fd = ::open(path, flags | O_DIRECT);
        unbuffered_ = fd >= 0;
    }
    if (fd < 0) fd = ::open(path, flags);
    if (fd < 0) {
        unbuffered_ = false;
        return false;
    }
    struct stat st {};
    const int status = ::fcntl(fd, F_GETFL);
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || status < 0 ||
        ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK) != 0) {
        ::close(fd);
        unbuffered_ = false;
        return false;
    }
    if (exclusive && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        unbuffered_ = false;
        return false;
    }
    fd_ = fd;
    return true;
}

bool File::createNew(const char* path, bool unbuffered) {
    close();
    const int flags = O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC;
    int fd = -1;
    if (unbuffered) {
        fd = ::open(path, flags | O_DIRECT, 0666);
        // A filesystem without direct I/O refuses the flag with EINVAL; nothing was created.
        if (fd < 0 && errno != EINVAL) return false;
        unbuffered_ = fd >= 0;
    }
    if (fd < 0) fd = ::open(path, flags, 0666);
    if (fd < 0) {
        unbuffered_ = false;
        return false;
    }
    ::flock(fd, LOCK_EX | LOCK_NB);
    fd_ = fd;
    return true;
}

void File::adopt(NativeHandle handle) {
    close();
    fd_ = handle;
}

void File::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    unbuffered_ = false;
}

bool File::dropUnbuffered() {
    if (!unbuffered_) return false;
    const int flags = ::fcntl(fd_, F_GETFL);
    if (flags < 0 || ::fcntl(fd_, F_SETFL, flags & ~O_DIRECT) != 0) return false;
    unbuffered_ = false;
    return true;
}

std::int64_t File::read(void* buffer, std::size_t length) {
    if (fd_ < 0) return -1;
    auto* bytes = static_cast<unsigned char*>(buffer);
    std::size_t done = 0;
    while (done < length) {
        const ssize_t n = ::read(fd_, bytes + done, length - done);
        if (n < 0) {
            // A pipe's read waits for its writer; the user's interruption ends the wait there.
            if (errno == EINTR && interruptRequested()) break;
            if (errno == EINTR) continue;
            // Some filesystems accept O_DIRECT at open time and refuse the transfer.
            if (errno == EINVAL && dropUnbuffered()) continue;
            return -1;
        }
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    return static_cast<std::int64_t>(done);
}

std::int64_t File::write(const void* buffer, std::size_t length) {
    if (fd_ < 0) return -1;
    const auto* bytes = static_cast<const unsigned char*>(buffer);
    std::size_t done = 0;
    while (done < length) {
        const ssize_t n = ::write(fd_, bytes + done, length - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            if (errno == EINVAL && dropUnbuffered()) continue;
            return done == 0 ? -1 : static_cast<std::int64_t>(done);
        }
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    return static_cast<std::int64_t>(done);
}

bool File::seek(std::int64_t offset, Origin origin) {
    if (fd_ < 0) return false;
    const int whence = origin == Origin::Begin ? SEEK_SET : origin == Origin::Current ? SEEK_CUR : SEEK_END;
    return ::lseek(fd_, static_cast<off_t>(offset), whence) >= 0;
}

std::int64_t File::position() const {
    if (fd_ < 0) return -1;
    return ::lseek(fd_, 0, SEEK_CUR);
}

std::int64_t File::size() const {
    if (fd_ < 0) return -1;
    struct stat st {};
    if (::fstat(fd_, &st) != 0) return -1;
    return st.st_size;
}

bool File::truncateHere() {
    const std::int64_t at = position();
    if (at < 0) return false;
    return ::ftruncate(fd_, static_cast<off_t>(at)) == 0;
}

bool File::flushToDisk() {
    if (fd_ < 0) return false;
    for (;;) {
        if (::fsync(fd_) == 0) return true;
        if (errno != EINTR) return false;
    }
}

bool removeFile(const char* path) { return ::unlink(path) == 0; }

}  // namespace platform
