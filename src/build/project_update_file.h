#pragma once
// Writes a project's "Update.RUN" from its "Download.RUN" (what the controller holds) and
// its "Project.RUN" (what it should hold). The file is written under a temporary name and
// renamed only when complete, so a failed update never leaves a file that looks usable;
// it takes the time of "Project.RUN", which ties it to the build it came from.

#include <filesystem>
#include <optional>

#include "build/build_log.h"

namespace zel::build {

// No directory means no project is open. False on any failure, with its message in `log`.
bool WriteProjectUpdateFile(const std::optional<std::filesystem::path>& projectDirectory,
                            BuildLog& log);

}  // namespace zel::build
