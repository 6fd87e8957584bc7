#pragma once
// The table files this program has open, counted per file. Compacting replaces a
// file by a new one; another table object still holding the old one would then
// write into a file nobody reads, so compaction waits until a table is the only
// one open on its file.

#include <string>

namespace valmora::dbase {

class OpenFiles {
public:
    static std::string keyFor(const std::string& path); // the same file gives the same key
    static void opened(const std::string& key);
    static void closed(const std::string& key);
    static int count(const std::string& key);
};

} // namespace valmora::dbase
