#pragma once
// A fresh folder under the system's temporary directory, removed with everything in it, and the
// whole-file reads and writes the tests make in it. The tests of every layer take their folder from
// here: dbase is the lowest layer that writes, and every test executable already links it.

#include "core/Paths.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace valmora::testing {

class TempDir {
public:
    TempDir() {
        std::random_device rd;
        path_ =
            std::filesystem::temp_directory_path() / ("valmora-test-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Named as the program names them: parts joined by '/' on every system.
    std::string str() const { return fromPath(path_); }
    std::string file(const std::string& name) const { return str() + "/" + name; }
    // With a trailing separator, as a file dialog gives it and the main window holds an account folder.
    std::string folder() const { return str() + "/"; }

private:
    std::filesystem::path path_;
};

inline std::string readAll(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Makes the folders on the way, so a test can lay out an account's subfolders in one call.
inline void writeAll(const std::filesystem::path& p, const std::string& bytes) {
    if (p.has_parent_path())
        std::filesystem::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out << bytes;
}

} // namespace valmora::testing

namespace valmora::dbase::testing {
using valmora::testing::readAll;
using valmora::testing::TempDir;
using valmora::testing::writeAll;
} // namespace valmora::dbase::testing
