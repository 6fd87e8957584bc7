#pragma once
// Files kept in memory, so the fuzzer runs thousands of inputs a second without
// touching the disk. Only what the table engine uses: positioned reads and writes,
// truncation, rename, remove.

#include "dbase/FileSystem.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

namespace valmora::dbase {

class MemoryFileSystem : public FileSystem {
public:
    void put(const std::string& path, std::string bytes) {
        files_[path] = std::make_shared<std::string>(std::move(bytes));
    }

    std::unique_ptr<File> open(const std::string& path, OpenMode mode) override {
        auto it = files_.find(path);
        if (mode == OpenMode::Create) {
            auto bytes = std::make_shared<std::string>();
            files_[path] = bytes;
            return std::make_unique<MemoryFile>(bytes, false);
        }
        if (it == files_.end())
            throw FileError(FileError::Kind::NotFound, "open " + path + ": no such file");
        return std::make_unique<MemoryFile>(it->second, mode == OpenMode::Read);
    }
    void rename(const std::string& from, const std::string& to) override {
        auto it = files_.find(from);
        if (it == files_.end())
            throw FileError(FileError::Kind::NotFound, "rename " + from + ": no such file");
        auto bytes = it->second;
        files_.erase(it);
        files_[to] = std::move(bytes);
    }
    void remove(const std::string& path) override { files_.erase(path); }
    bool exists(const std::string& path) override { return files_.count(path) != 0; }
    void makeDirectories(const std::string&) override {}
    void syncDirectory(const std::string&) override {}
    // The table reader never locks; a lock here excludes nobody.
    std::unique_ptr<FileLock> tryLock(const std::string&) override { return std::make_unique<FileLock>(); }

private:
    class MemoryFile : public File {
    public:
        MemoryFile(std::shared_ptr<std::string> bytes, bool readOnly) : bytes_(std::move(bytes)), readOnly_(readOnly) {}
        std::uint64_t size() override { return bytes_->size(); }
        std::size_t readAt(std::uint64_t offset, void* buffer, std::size_t count) override {
            if (offset >= bytes_->size())
                return 0;
            const std::size_t n = std::min<std::size_t>(count, bytes_->size() - static_cast<std::size_t>(offset));
            std::memcpy(buffer, bytes_->data() + offset, n);
            return n;
        }
        void writeAt(std::uint64_t offset, const void* data, std::size_t count) override {
            if (readOnly_)
                throw FileError(FileError::Kind::AccessDenied, "write: file opened for reading");
            if (offset + count > bytes_->size())
                bytes_->resize(static_cast<std::size_t>(offset + count), '\0');
            std::memcpy(bytes_->data() + offset, data, count);
        }
        void truncate(std::uint64_t newSize) override { bytes_->resize(static_cast<std::size_t>(newSize), '\0'); }
        void sync() override {}

    private:
        std::shared_ptr<std::string> bytes_;
        bool readOnly_;
    };

    std::map<std::string, std::shared_ptr<std::string>> files_;
};

} // namespace valmora::dbase
