#pragma once
// The file I/O the table engine goes through. The real disk sits behind it in
// normal use; tests put a faulty one in its place to make writes fail, fill the
// disk or stop dead at any point, and check that no posted row is ever lost.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

namespace valmora::dbase {

// A failed file operation. The table turns it into a TableError naming the table.
class FileError : public std::runtime_error {
public:
    enum class Kind { NotFound, AccessDenied, DiskFull, Other };
    FileError(Kind kind, const std::string& what) : std::runtime_error(what), kind_(kind) {}
    Kind kind() const { return kind_; }

private:
    Kind kind_;
};

// One open file. Reads and writes are positioned; there is no shared cursor.
class File {
public:
    virtual ~File() = default;
    virtual std::uint64_t size() = 0;
    // Reads up to `count` bytes at `offset`; returns how many were read (fewer only at the end of the file).
    virtual std::size_t readAt(std::uint64_t offset, void* buffer, std::size_t count) = 0;
    // Writes all `count` bytes at `offset` or throws.
    virtual void writeAt(std::uint64_t offset, const void* data, std::size_t count) = 0;
    virtual void truncate(std::uint64_t size) = 0;
    // Pushes what was written down to the disk (fsync), so it survives a power cut.
    virtual void sync() = 0;
};

// An exclusive lock held for as long as the object lives. The system drops it when the process ends, however it
// ends, so a program that died never keeps another out.
class FileLock {
public:
    virtual ~FileLock() = default;
};

enum class OpenMode {
    Read,      // existing file, reading only
    ReadWrite, // existing file
    Create,    // new or emptied file, reading and writing
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual std::unique_ptr<File> open(const std::string& path, OpenMode mode) = 0;
    // Replaces `to` when it exists; the switch is atomic on one volume.
    virtual void rename(const std::string& from, const std::string& to) = 0;
    virtual void remove(const std::string& path) = 0;
    virtual bool exists(const std::string& path) = 0;
    virtual void makeDirectories(const std::string& path) = 0;
    // Makes a finished rename durable (fsync of the folder where the system has one).
    virtual void syncDirectory(const std::string& folder) = 0;
    // Locks `path` (an empty file, created when missing) for the life of the returned object, or returns nullptr
    // when another holder has it. The lock belongs to this one opening: two holders in one process exclude each
    // other as two processes do.
    virtual std::unique_ptr<FileLock> tryLock(const std::string& path) = 0;
};

// The machine's own disk.
std::shared_ptr<FileSystem> diskFileSystem();

} // namespace valmora::dbase
