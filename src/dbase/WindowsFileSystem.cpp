// The real disk on Windows, through Win32 handles: the sibling of the POSIX DiskFileSystem, chosen at build
// time. Paths arrive as UTF-8 and are handed to the system as UTF-16. Every handle shares reading, writing and
// deletion, so a table can be renamed over while another part of the program holds it open, as on Linux.

#include "dbase/FileSystem.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <system_error>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace valmora::dbase {
namespace {

std::wstring widen(const std::string& utf8) {
    if (utf8.empty())
        return {};
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()),
                                           nullptr, 0);
    if (length <= 0)
        throw FileError(FileError::Kind::NotFound, utf8 + ": il nome del file non è un testo UTF-8 valido");
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                        length);
    return wide;
}

// What the system said, in the program's language; the code stays for the less common ones.
std::string describe(DWORD code) {
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return "il file o la cartella non esiste";
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
        return "accesso negato";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return "il file è in uso in un altro programma";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return "il disco è pieno";
    case ERROR_INVALID_NAME:
        return "nome di file non valido";
    default:
        return "errore di Windows " + std::to_string(code);
    }
}

FileError errorFromCode(DWORD code, const std::string& what) {
    FileError::Kind kind = FileError::Kind::Other;
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND || code == ERROR_INVALID_NAME)
        kind = FileError::Kind::NotFound;
    else if (code == ERROR_ACCESS_DENIED || code == ERROR_WRITE_PROTECT)
        kind = FileError::Kind::AccessDenied;
    else if (code == ERROR_DISK_FULL || code == ERROR_HANDLE_DISK_FULL)
        kind = FileError::Kind::DiskFull;
    return FileError(kind, what + ": " + describe(code));
}

FileError lastError(const std::string& what) {
    return errorFromCode(GetLastError(), what);
}

OVERLAPPED at(std::uint64_t offset) {
    OVERLAPPED position{};
    position.Offset = static_cast<DWORD>(offset & 0xFFFFFFFFu);
    position.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return position;
}

// At most this many bytes a call: ReadFile and WriteFile count in 32 bits.
constexpr std::size_t kMostPerCall = std::size_t{1} << 30;

class WindowsFile : public File {
public:
    WindowsFile(HANDLE handle, std::string path) : handle_(handle), path_(std::move(path)) {}
    ~WindowsFile() override { CloseHandle(handle_); }
    WindowsFile(const WindowsFile&) = delete;
    WindowsFile& operator=(const WindowsFile&) = delete;

    std::uint64_t size() override {
        LARGE_INTEGER size{};
        if (!GetFileSizeEx(handle_, &size))
            throw lastError("stat " + path_);
        return static_cast<std::uint64_t>(size.QuadPart);
    }

    std::size_t readAt(std::uint64_t offset, void* buffer, std::size_t count) override {
        auto* out = static_cast<char*>(buffer);
        std::size_t done = 0;
        while (done < count) {
            OVERLAPPED position = at(offset + done);
            DWORD read = 0;
            const auto piece = static_cast<DWORD>(std::min(kMostPerCall, count - done));
            if (!ReadFile(handle_, out + done, piece, &read, &position)) {
                const DWORD code = GetLastError();
                if (code == ERROR_HANDLE_EOF)
                    break;
                throw errorFromCode(code, "read " + path_);
            }
            if (read == 0)
                break;
            done += read;
        }
        return done;
    }

    void writeAt(std::uint64_t offset, const void* data, std::size_t count) override {
        const auto* in = static_cast<const char*>(data);
        std::size_t done = 0;
        while (done < count) {
            OVERLAPPED position = at(offset + done);
            DWORD written = 0;
            const auto piece = static_cast<DWORD>(std::min(kMostPerCall, count - done));
            if (!WriteFile(handle_, in + done, piece, &written, &position))
                throw lastError("write " + path_);
            if (written == 0)
                throw FileError(FileError::Kind::DiskFull, "write " + path_ + ": nulla è stato scritto");
            done += written;
        }
    }

    void truncate(std::uint64_t newSize) override {
        FILE_END_OF_FILE_INFO end{};
        end.EndOfFile.QuadPart = static_cast<LONGLONG>(newSize);
        if (!SetFileInformationByHandle(handle_, FileEndOfFileInfo, &end, sizeof end))
            throw lastError("truncate " + path_);
    }

    void sync() override {
        if (!FlushFileBuffers(handle_))
            throw lastError("fsync " + path_);
    }

private:
    HANDLE handle_;
    std::string path_;
};

// The whole lock file locked through its one handle (LockFileEx): a second handle, in this process or another,
// is refused, and the system drops the lock when the handle closes or the process ends.
class WindowsFileLock : public FileLock {
public:
    explicit WindowsFileLock(HANDLE handle) : handle_(handle) {}
    ~WindowsFileLock() override { CloseHandle(handle_); }
    WindowsFileLock(const WindowsFileLock&) = delete;
    WindowsFileLock& operator=(const WindowsFileLock&) = delete;

private:
    HANDLE handle_;
};

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

HANDLE openHandle(const std::string& path, DWORD access, DWORD disposition) {
    return CreateFileW(widen(path).c_str(), access, kShareAll, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

class WindowsFileSystem : public FileSystem {
public:
    std::unique_ptr<File> open(const std::string& path, OpenMode mode) override {
        DWORD access = GENERIC_READ;
        DWORD disposition = OPEN_EXISTING;
        if (mode != OpenMode::Read)
            access |= GENERIC_WRITE;
        if (mode == OpenMode::Create)
            disposition = CREATE_ALWAYS;
        HANDLE handle = openHandle(path, access, disposition);
        if (handle == INVALID_HANDLE_VALUE)
            throw lastError("open " + path);
        return std::make_unique<WindowsFile>(handle, path);
    }

    void rename(const std::string& from, const std::string& to) override {
        if (!MoveFileExW(widen(from).c_str(), widen(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            throw lastError("rename " + from + " -> " + to);
    }

    void remove(const std::string& path) override {
        const std::wstring wide = widen(path);
        const DWORD attributes = GetFileAttributesW(wide.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES)
            return; // already gone, as std::filesystem::remove has it
        const BOOL removed = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? RemoveDirectoryW(wide.c_str())
                                                                          : DeleteFileW(wide.c_str());
        if (!removed)
            throw lastError("remove " + path);
    }

    bool exists(const std::string& path) override {
        return GetFileAttributesW(widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    void makeDirectories(const std::string& path) override {
        std::error_code ec;
        std::filesystem::create_directories(std::filesystem::path(widen(path)), ec);
        if (ec)
            throw errorFromCode(static_cast<DWORD>(ec.value()), "mkdir " + path);
    }

    void syncDirectory(const std::string&) override {
        // Nothing to do: the rename was made with MOVEFILE_WRITE_THROUGH, which returns once it is on the disk.
    }

    std::unique_ptr<FileLock> tryLock(const std::string& path) override {
        HANDLE handle = openHandle(path, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS);
        if (handle == INVALID_HANDLE_VALUE)
            throw lastError("open " + path);
        OVERLAPPED whole{};
        constexpr DWORD kAll = std::numeric_limits<DWORD>::max();
        if (!LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, kAll, kAll, &whole)) {
            const DWORD code = GetLastError();
            CloseHandle(handle);
            if (code == ERROR_LOCK_VIOLATION || code == ERROR_IO_PENDING)
                return nullptr;
            throw errorFromCode(code, "lock " + path);
        }
        return std::make_unique<WindowsFileLock>(handle);
    }
};

} // namespace

std::shared_ptr<FileSystem> diskFileSystem() {
    static std::shared_ptr<FileSystem> disk = std::make_shared<WindowsFileSystem>();
    return disk;
}

} // namespace valmora::dbase
