#pragma once
// File system services with the meaning the stored projects expect: names are found
// without regard to case ("C.bel", "C.BEL" and "c.bel" are one file), times are whole
// seconds, and every failure is a result, never an exception.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zel::platform {

namespace fs = std::filesystem;

// The existing file or directory that `path` names when each component is compared
// without regard to case; an exact match wins over other spellings. nullopt when none.
std::optional<fs::path> FindPathNoCase(const fs::path& path);
// FindPathNoCase, or, when nothing exists yet, `path` with the directories that do exist
// resolved and the rest as given (the name to create).
fs::path ResolvePathNoCase(const fs::path& path);
bool PathExistsNoCase(const fs::path& path);
bool IsDirectoryNoCase(const fs::path& path);

// Wildcards "*" and "?" compared without regard to case; "*.*" matches every name.
bool WildcardMatch(std::string_view pattern, std::string_view name);

struct DirEntry {
  std::string name;  // without directory
  bool isDirectory = false;
  std::uint64_t size = 0;
  std::int64_t mtime = 0;  // seconds since 1970, no bias
};
// Entries of `dir` whose names match `pattern`, sorted by name without regard to case;
// "." and ".." are never listed. An unreadable directory gives an empty list.
std::vector<DirEntry> ListDirectory(const fs::path& dir, std::string_view pattern = "*");

bool CopyFileTo(const fs::path& from, const fs::path& to, bool failIfExists);
bool MoveFileTo(const fs::path& from, const fs::path& to);  // replaces `to`; works across devices
// Renames a file or directory on one file system, never replacing anything that exists at
// `to` (also when it appeared a moment ago); false when `to` exists or the rename fails.
bool RenameNoReplace(const fs::path& from, const fs::path& to);
bool DeleteFileAt(const fs::path& path);       // files only
bool CreateDirectoryAt(const fs::path& path);  // one level; false if it exists
bool RemoveDirectoryAt(const fs::path& path);  // only when empty

// Modification time in seconds since 1970, nullopt when the file cannot be read.
std::optional<std::int64_t> FileModTime(const fs::path& path);
bool SetFileModTime(const fs::path& path, std::int64_t seconds);
std::optional<std::uint64_t> FileSize(const fs::path& path);
// Free bytes for an unprivileged user on the file system holding `path`.
std::optional<std::uint64_t> FreeSpace(const fs::path& path);

// Whether an atomic write waits until its bytes are on the disk. What the user typed
// (sources, the project file, the allocation list) is flushed at once; files derived from
// it (intermediate text, cross reference, object files) can be made again, so they skip the
// per-file flush and whoever wrote many of them flushes once (SyncFileSystemOf).
enum class Durability { Flushed, Deferred };

// Writes `data` to a temporary file beside `path`, flushes it to disk (unless Deferred) and
// renames it over `path`, so readers see the old or the new content, never a mix.
bool WriteFileAtomically(const fs::path& path, std::string_view data,
                         Durability durability = Durability::Flushed);
// Flushes everything written to the file system that holds `path` to the disk.
bool SyncFileSystemOf(const fs::path& path);
// Regular files only: nullopt for a directory, a FIFO or a device.
std::optional<std::string> ReadWholeFile(const fs::path& path);

}  // namespace zel::platform
