#pragma once
// The text listing of a run file, record by record, as the message window shows it. The
// listing reads the file only; a damaged file ends the listing with a line saying so.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>

#include "build/build_log.h"

namespace zel::build {

// The records of `file`, from the first to the end record or the first damage. True when
// the end record was reached and every checksum was right.
bool ListRunFileRecords(std::span<const std::uint8_t> file, BuildLog& log);

// The listing of the project's "Project.RUN", headed as the command shows it; no
// directory means no project is open. False when there was no file to list or it was
// damaged.
bool ListRunFile(const std::optional<std::filesystem::path>& projectDirectory, BuildLog& log);

// The same for any run file (a copy kept after a download, a file given to a tool).
bool ListRunFileAt(const std::filesystem::path& path, BuildLog& log);

}  // namespace zel::build
