#include "dbase/OpenFiles.h"

#include "core/Paths.h"

#include <filesystem>
#include <map>
#include <mutex>

namespace valmora::dbase {
namespace {

std::mutex& guard() {
    static std::mutex m;
    return m;
}

std::map<std::string, int>& counts() {
    static std::map<std::string, int> c;
    return c;
}

} // namespace

std::string OpenFiles::keyFor(const std::string& path) {
    std::error_code ec;
    std::filesystem::path absolute = std::filesystem::absolute(toPath(path), ec);
    if (ec)
        return path;
    return fromPath(absolute.lexically_normal());
}

void OpenFiles::opened(const std::string& key) {
    std::lock_guard lock(guard());
    ++counts()[key];
}

void OpenFiles::closed(const std::string& key) {
    std::lock_guard lock(guard());
    auto it = counts().find(key);
    if (it != counts().end() && --it->second <= 0)
        counts().erase(it);
}

int OpenFiles::count(const std::string& key) {
    std::lock_guard lock(guard());
    auto it = counts().find(key);
    return it == counts().end() ? 0 : it->second;
}

} // namespace valmora::dbase
