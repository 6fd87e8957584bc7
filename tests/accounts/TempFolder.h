#pragma once
// A fresh folder under the system's temporary directory, removed with everything in it at the end of a test.

#include "core/Paths.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace valmora::testing {

class TempFolder {
public:
    TempFolder() {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() /
                ("valmora-accounts-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // With a trailing separator, as the main window holds an account folder.
    std::string folder() const { return fromPath(path_) + "/"; } // as a file dialog gives it

private:
    std::filesystem::path path_;
};

inline std::string readAll(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeAll(const std::filesystem::path& p, const std::string& bytes) {
    std::filesystem::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out << bytes;
}

} // namespace valmora::testing
