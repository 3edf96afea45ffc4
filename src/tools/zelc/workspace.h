#pragma once
// zelc's side of the workspace: each command opens the core workspace of --workdir
// (app/project/workspace.h) for its one run; these only shorten the commands.

#include <filesystem>
#include <functional>
#include <string_view>

#include "app/project/workspace.h"
#include "tools/zelc/commands.h"

namespace zel::zelc {

namespace fs = std::filesystem;

using Workspace = app::Workspace;

// Runs `operation` on the session of the workspace in `options`; the exit status.
int OnSession(const GlobalOptions& options,
              const std::function<bool(app::ProjectSession&)>& operation);

// Reports a failure of the command line itself the way the cores report theirs.
void ReportError(std::string_view text);

}  // namespace zel::zelc
