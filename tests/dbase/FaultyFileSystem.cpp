#include "dbase/FaultyFileSystem.h"

#include <algorithm>

namespace valmora::dbase {
namespace {

class FaultyFile : public File {
public:
    FaultyFile(std::unique_ptr<File> inner, std::shared_ptr<FaultyFileSystem::State> state)
        : inner_(std::move(inner)), state_(std::move(state)) {}

    std::uint64_t size() override {
        state_->checkAlive();
        return inner_->size();
    }

    std::size_t readAt(std::uint64_t offset, void* buffer, std::size_t count) override {
        state_->checkAlive();
        return inner_->readAt(offset, buffer, count);
    }

    void writeAt(std::uint64_t offset, const void* data, std::size_t count) override {
        if (!state_->beginChange()) {
            if (state_->tornBytes)
                inner_->writeAt(offset, data, std::min(*state_->tornBytes, count));
            throw SimulatedCrash();
        }
        if (state_->byteBudget) {
            // A full disk refuses only new space: bytes rewritten inside the file still land.
            // Any other failure stops every byte past the budget.
            const std::uint64_t end = offset + count;
            std::uint64_t firstCounted = offset;
            if (state_->failKind == FileError::Kind::DiskFull)
                firstCounted = std::max(offset, std::min(end, inner_->size()));
            const std::uint64_t counted = end - firstCounted;
            if (counted > *state_->byteBudget) {
                const std::uint64_t allowed = firstCounted + *state_->byteBudget - offset;
                *state_->byteBudget = 0;
                inner_->writeAt(offset, data, static_cast<std::size_t>(allowed));
                throw FileError(state_->failKind, "simulated write failure");
            }
            *state_->byteBudget -= counted;
        }
        inner_->writeAt(offset, data, count);
    }

    void truncate(std::uint64_t newSize) override {
        if (!state_->beginChange())
            throw SimulatedCrash();
        inner_->truncate(newSize);
    }

    void sync() override {
        state_->checkAlive();
        ++state_->syncs;
        inner_->sync();
    }

private:
    std::unique_ptr<File> inner_;
    std::shared_ptr<FaultyFileSystem::State> state_;
};

} // namespace

void FaultyFileSystem::State::checkAlive() const {
    if (crashed)
        throw SimulatedCrash();
}

bool FaultyFileSystem::State::beginChange() {
    checkAlive();
    if (fullAt && changes >= *fullAt) {
        fullAt.reset();
        byteBudget = 0;
        failKind = FileError::Kind::DiskFull;
    }
    if (crashAt && changes >= *crashAt) {
        crashed = true;
        return false;
    }
    ++changes;
    return true;
}

FaultyFileSystem::FaultyFileSystem(std::shared_ptr<FileSystem> disk)
    : disk_(std::move(disk)), state_(std::make_shared<State>()) {}

void FaultyFileSystem::failWritesAfterBytes(std::uint64_t bytes, FileError::Kind kind) {
    state_->byteBudget = bytes;
    state_->failKind = kind;
}

void FaultyFileSystem::crashAfterChanges(int changes, std::optional<std::size_t> tornBytes) {
    state_->crashAt = state_->changes + changes;
    state_->tornBytes = tornBytes;
}

void FaultyFileSystem::fillDiskAfterChanges(int changes) {
    state_->fullAt = state_->changes + changes;
}

void FaultyFileSystem::heal() {
    state_->crashAt.reset();
    state_->fullAt.reset();
    state_->tornBytes.reset();
    state_->byteBudget.reset();
    state_->crashed = false;
}

std::unique_ptr<File> FaultyFileSystem::open(const std::string& path, OpenMode mode) {
    if (mode == OpenMode::Create) {
        if (!state_->beginChange())
            throw SimulatedCrash();
    } else {
        state_->checkAlive();
    }
    return std::make_unique<FaultyFile>(disk_->open(path, mode), state_);
}

void FaultyFileSystem::rename(const std::string& from, const std::string& to) {
    if (!state_->beginChange())
        throw SimulatedCrash();
    disk_->rename(from, to);
}

void FaultyFileSystem::remove(const std::string& path) {
    if (!state_->beginChange())
        throw SimulatedCrash();
    disk_->remove(path);
}

bool FaultyFileSystem::exists(const std::string& path) {
    state_->checkAlive();
    return disk_->exists(path);
}

void FaultyFileSystem::makeDirectories(const std::string& path) {
    if (!state_->beginChange())
        throw SimulatedCrash();
    disk_->makeDirectories(path);
}

void FaultyFileSystem::syncDirectory(const std::string& folder) {
    state_->checkAlive();
    disk_->syncDirectory(folder);
}

std::unique_ptr<FileLock> FaultyFileSystem::tryLock(const std::string& path) {
    state_->checkAlive();
    return disk_->tryLock(path);
}

} // namespace valmora::dbase
