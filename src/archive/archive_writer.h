#pragma once
// Writes project files into a ZIP archive: deflated entries named by their path below the
// base directory with "/" separators, each with its file's date and time, and a comment.
// The archive is written under a temporary name beside its target and takes the target's
// name only when it is complete, so a failed write never replaces an older archive.

#include <filesystem>
#include <string_view>
#include <vector>

#include "archive/archive_report.h"

namespace zel::archive {

enum class ArchiveMode {
  // A failed entry ends the archive (the build, whose archive is part of what it checks).
  StopAtFailedEntry,
  // Every file is tried, each failure told on its own (the backup).
  GoOnAfterFailedEntry,
};

struct ArchiveResult {
  bool written = false;  // the archive has its name and every entry
  int errors = 0;        // messages given (each was printed or shown once)
};

// Failures are told through `report`: the build's mode prints them, the backup's mode
// shows them in an error box.
ArchiveResult WriteProjectArchive(const std::filesystem::path& zipPath,
                                  const std::vector<std::filesystem::path>& files,
                                  const std::filesystem::path& baseDirectory,
                                  std::string_view comment, ArchiveMode mode,
                                  const ArchiveReport& report);

// The name an entry for `file` gets: its path below `base` with "/" separators; a file
// outside `base` goes in under its bare name.
std::string EntryNameFor(const std::filesystem::path& file, const std::filesystem::path& base);

}  // namespace zel::archive
