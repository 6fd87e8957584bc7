#pragma once
// Files copied or read whole through the FileSystem: what the account's copies (its snapshot, the copy a
// command keeps to undo itself, an export) are built from, and how the journals are read back.

#include <string>

namespace valmora::dbase {

class FileSystem;

// Writes `to` (created or emptied) with the bytes of `from`, then pushes it to the disk. Throws FileError;
// `to` may then hold part of the copy, so callers write it under a name nothing else reads.
void copyWhole(FileSystem& fs, const std::string& from, const std::string& to);

// The bytes of `path`, as many as it gives: for the journals and logs, small enough to hold at once.
std::string readWhole(FileSystem& fs, const std::string& path);

} // namespace valmora::dbase
