#pragma once
// A new project made from a ZIP archive (a backup, or the sources a controller keeps).
//
// The archive is unpacked into a hidden directory beside the new project's directory and
// renamed into place only when every entry is there, so a failure leaves nothing behind,
// the project list never shows a half project, and an existing directory is never written
// into. Entry names come from outside and are trusted in nothing: an entry that would
// land outside the project directory, a link or a device entry, or more bytes than a
// project may hold refuse the whole archive.

#include <cstdint>
#include <filesystem>
#include <string_view>

#include "archive/archive_report.h"

namespace zel::archive {

// Far more than any project holds; a hostile archive cannot fill the disk.
inline constexpr std::uint64_t kMaxUnpackedBytes = 256ULL * 1024 * 1024;
// Empty entries cost no bytes but a file each: millions of them would use up the file
// system's inodes.
inline constexpr std::uint64_t kMaxEntries = 65536;

struct UnpackLimits {
  std::uint64_t maxBytes = kMaxUnpackedBytes;  // all entries together, unpacked
  std::uint64_t maxEntries = kMaxEntries;
};

// Creates project `name` in `projectsDirectory` from `zipPath`. The entry whose name is
// "project.fw4" (without regard to case) marks the project: its folder in the archive
// becomes the project directory, and entries outside that folder are skipped. True when
// the project directory exists with every entry in it.
bool CreateProjectFromArchive(const std::filesystem::path& projectsDirectory, std::string_view name,
                              const std::filesystem::path& zipPath, const ArchiveReport& report,
                              UnpackLimits limits = {});

}  // namespace zel::archive
