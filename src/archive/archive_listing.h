#pragma once
// What an archive holds, without unpacking it: each entry's stored name and unpacked size
// in archive order, and the archive's comment.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zel::archive {

struct ListedEntry {
  std::string name;
  std::uint64_t size = 0;
  int method = 0;  // 8 for deflated
};

struct ArchiveListing {
  std::vector<ListedEntry> entries;
  std::string comment;
};

// nullopt when the file is not a readable archive.
std::optional<ArchiveListing> ListArchive(const std::filesystem::path& zipPath);

// The unpacked bytes of the entry named `name` (exactly as stored); nullopt when there is
// none or it cannot be read whole.
std::optional<std::string> ReadArchiveEntry(const std::filesystem::path& zipPath,
                                            const std::string& name);

}  // namespace zel::archive
