#pragma once
// Paths as the program holds them: UTF-8 text, parts joined by '/'. Windows takes '/' as well as '\', and it is
// what Qt's file dialogs give there too. std::filesystem reads a plain std::string in the system's code page on
// Windows, so every path crosses into and out of it through these two, which say UTF-8 on every system.

#include <filesystem>
#include <string>

namespace valmora {

inline std::filesystem::path toPath(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string fromPath(const std::filesystem::path& path) {
    const std::u8string text = path.generic_u8string();
    return std::string(text.begin(), text.end());
}

// The folder holding `file`; "." (the working directory) for a bare file name.
inline std::string parentFolder(const std::string& file) {
    const std::string folder = fromPath(toPath(file).parent_path());
    return folder.empty() ? "." : folder;
}

} // namespace valmora
