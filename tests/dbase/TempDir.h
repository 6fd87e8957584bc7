#pragma once
// A fresh folder under the system's temporary directory, removed with everything in it, and the
// whole-file reads and writes the tests make in it.

#include "core/Paths.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace valmora::dbase::testing {

class TempDir {
public:
    TempDir() {
        std::random_device rd;
        path_ =
            std::filesystem::temp_directory_path() / ("valmora-dbase-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // Named as the program names them: parts joined by '/' on every system.
    std::string str() const { return fromPath(path_); }
    std::string file(const std::string& name) const { return str() + "/" + name; }

private:
    std::filesystem::path path_;
};

inline std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void writeAll(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

} // namespace valmora::dbase::testing
