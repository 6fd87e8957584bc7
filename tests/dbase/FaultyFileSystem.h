#pragma once
// A file system for tests that goes wrong on purpose, over the real disk:
//   - failWritesAfterBytes: once a budget of written bytes is spent, the write that
//     crosses it stores the bytes up to the limit and fails. A full disk counts only the
//     bytes that grow a file (rewriting inside it needs no new space); any other kind of
//     failure counts every byte;
//   - fillDiskAfterChanges: the disk fills up once k more changes are applied (a byte budget of 0 from there);
//   - crashAfterChanges: the first k changes to the disk (writes, truncations, renames,
//     removals, new folders) are applied and then the "process dies": the next change is
//     not applied (or, torn, only its first bytes are) and every later call throws
//     SimulatedCrash, which no engine code catches as a file error.
// A crash-point test runs a sequence once to count its changes, then once per k.

#include "dbase/FileSystem.h"

#include <exception>
#include <optional>

namespace valmora::dbase {

struct SimulatedCrash : std::exception {
    const char* what() const noexcept override { return "simulated crash"; }
};

class FaultyFileSystem : public FileSystem {
public:
    explicit FaultyFileSystem(std::shared_ptr<FileSystem> disk = diskFileSystem());

    void failWritesAfterBytes(std::uint64_t bytes, FileError::Kind kind = FileError::Kind::DiskFull);
    void crashAfterChanges(int changes, std::optional<std::size_t> tornBytes = std::nullopt);
    // After `changes` more changes the disk is full for good: from then on no write may grow a file.
    void fillDiskAfterChanges(int changes);
    void heal(); // no more faults; the counters go on

    int changes() const { return state_->changes; }
    int syncs() const { return state_->syncs; }
    bool crashed() const { return state_->crashed; }

    std::unique_ptr<File> open(const std::string& path, OpenMode mode) override;
    void rename(const std::string& from, const std::string& to) override;
    void remove(const std::string& path) override;
    bool exists(const std::string& path) override;
    void makeDirectories(const std::string& path) override;
    void syncDirectory(const std::string& folder) override;
    std::unique_ptr<FileLock> tryLock(const std::string& path) override; // the disk's lock; not a change

    struct State {
        int changes = 0;
        int syncs = 0;
        std::optional<int> crashAt;
        std::optional<int> fullAt;
        std::optional<std::size_t> tornBytes;
        bool crashed = false;
        std::optional<std::uint64_t> byteBudget;
        FileError::Kind failKind = FileError::Kind::DiskFull;

        void checkAlive() const;
        // True when the change may go ahead; on the crashing change marks the crash (the caller
        // applies the torn part, if any, then throws).
        bool beginChange();
    };

private:
    std::shared_ptr<FileSystem> disk_;
    std::shared_ptr<State> state_;
};

} // namespace valmora::dbase
