// The real disk, through POSIX file descriptors. All system calls of the engine
// are in this file, so a Windows build replaces only this one.

#include "dbase/FileSystem.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace valmora::dbase {
namespace {

FileError errorFromErrno(int err, const std::string& what) {
    FileError::Kind kind = FileError::Kind::Other;
    if (err == ENOENT || err == ENOTDIR)
        kind = FileError::Kind::NotFound;
    else if (err == EACCES || err == EPERM || err == EROFS)
        kind = FileError::Kind::AccessDenied;
    else if (err == ENOSPC || err == EDQUOT || err == EFBIG)
        kind = FileError::Kind::DiskFull;
    return FileError(kind, what + ": " + std::strerror(err));
}

class DiskFile : public File {
public:
    DiskFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    ~DiskFile() override { ::close(fd_); }
    DiskFile(const DiskFile&) = delete;
    DiskFile& operator=(const DiskFile&) = delete;

    std::uint64_t size() override {
        struct stat st {};
        if (::fstat(fd_, &st) != 0)
            throw errorFromErrno(errno, "stat " + path_);
        return static_cast<std::uint64_t>(st.st_size);
    }

    std::size_t readAt(std::uint64_t offset, void* buffer, std::size_t count) override {
        auto* out = static_cast<char*>(buffer);
        std::size_t done = 0;
        while (done < count) {
            ssize_t n = ::pread(fd_, out + done, count - done, static_cast<off_t>(offset + done));
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                throw errorFromErrno(errno, "read " + path_);
            }
            if (n == 0)
                break;
            done += static_cast<std::size_t>(n);
        }
        return done;
    }

    void writeAt(std::uint64_t offset, const void* data, std::size_t count) override {
        const auto* in = static_cast<const char*>(data);
        std::size_t done = 0;
        while (done < count) {
            // At most 64 KiB a call: Linux caches one large write in large pages of its own, and every
            // later small write into them (a post, a deletion mark) then pays for the whole large page
            // on ext4, several times over what it costs in pages of a small write.
            constexpr std::size_t kMostPerCall = std::size_t{64} << 10;
            const std::size_t piece = std::min(kMostPerCall, count - done);
            ssize_t n = ::pwrite(fd_, in + done, piece, static_cast<off_t>(offset + done));
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                throw errorFromErrno(errno, "write " + path_);
            }
            if (n == 0)
                throw FileError(FileError::Kind::DiskFull, "write " + path_ + ": nothing written");
            done += static_cast<std::size_t>(n);
        }
    }

    void truncate(std::uint64_t newSize) override {
        if (::ftruncate(fd_, static_cast<off_t>(newSize)) != 0)
            throw errorFromErrno(errno, "truncate " + path_);
    }

    void sync() override {
        if (::fsync(fd_) != 0)
            throw errorFromErrno(errno, "fsync " + path_);
    }

private:
    int fd_;
    std::string path_;
};

// An open file description's lock (F_OFD_SETLK): unlike a classic fcntl lock it is not dropped when some other
// descriptor of the file is closed, and it excludes a second opening in the same process too.
class DiskFileLock : public FileLock {
public:
    explicit DiskFileLock(int fd) : fd_(fd) {}
    ~DiskFileLock() override { ::close(fd_); }
    DiskFileLock(const DiskFileLock&) = delete;
    DiskFileLock& operator=(const DiskFileLock&) = delete;

private:
    int fd_;
};

class DiskFileSystem : public FileSystem {
public:
    std::unique_ptr<File> open(const std::string& path, OpenMode mode) override {
        int flags = O_CLOEXEC;
        switch (mode) {
        case OpenMode::Read:
            flags |= O_RDONLY;
            break;
        case OpenMode::ReadWrite:
            flags |= O_RDWR;
            break;
        case OpenMode::Create:
            flags |= O_RDWR | O_CREAT | O_TRUNC;
            break;
        }
        int fd = ::open(path.c_str(), flags, 0666);
        if (fd < 0)
            throw errorFromErrno(errno, "open " + path);
        return std::make_unique<DiskFile>(fd, path);
    }

    void rename(const std::string& from, const std::string& to) override {
        std::error_code ec;
        std::filesystem::rename(from, to, ec);
        if (ec)
            throw errorFromErrno(ec.value(), "rename " + from + " -> " + to);
    }

    void remove(const std::string& path) override {
        std::error_code ec;
        std::filesystem::remove(path, ec);
        if (ec)
            throw errorFromErrno(ec.value(), "remove " + path);
    }

    bool exists(const std::string& path) override {
        std::error_code ec;
        return std::filesystem::exists(path, ec);
    }

    void makeDirectories(const std::string& path) override {
        std::error_code ec;
        std::filesystem::create_directories(path, ec);
        if (ec)
            throw errorFromErrno(ec.value(), "mkdir " + path);
    }

    void syncDirectory(const std::string& folder) override {
        int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return; // some file systems do not let a folder be opened; the rename itself is done
        ::fsync(fd);
        ::close(fd);
    }

    std::unique_ptr<FileLock> tryLock(const std::string& path) override {
        int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (fd < 0)
            throw errorFromErrno(errno, "open " + path);
        struct flock whole {};
        whole.l_type = F_WRLCK;
        whole.l_whence = SEEK_SET;
        if (::fcntl(fd, F_OFD_SETLK, &whole) != 0) {
            const int err = errno;
            ::close(fd);
            if (err == EAGAIN || err == EACCES)
                return nullptr;
            throw errorFromErrno(err, "lock " + path);
        }
        return std::make_unique<DiskFileLock>(fd);
    }
};

} // namespace

std::shared_ptr<FileSystem> diskFileSystem() {
    static std::shared_ptr<FileSystem> disk = std::make_shared<DiskFileSystem>();
    return disk;
}

} // namespace valmora::dbase
