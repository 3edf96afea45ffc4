#pragma once
// The View menu's "Project Documentation": the project's documentation file opens in the
// desktop's application for it, in the file's own directory.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/project/project_file.h"
#include "platform/desktop.h"

namespace zel::app {

// What the user is told when the desktop could not open `file`; nullopt for success.
std::optional<std::string> DocumentationOpenFailure(platform::OpenDocumentResult result,
                                                    std::string_view file);

// Shows a file the desktop could not open (it has no application for it) in the program's
// own window; false when it could not either.
using OwnViewer = std::function<bool(const fs::path& file)>;

// True for the failures that lie with the desktop rather than with the file: then the
// program's own window is worth a try.
bool DesktopCannotOpen(platform::OpenDocumentResult result);

// Opens `file` with the desktop's application, in the file's directory, else in `viewer`
// when the desktop has none; what fails in the end is shown. False then.
bool OpenWithDesktopOr(const fs::path& file, const OwnViewer& viewer);

// Opens the documentation file of `project` so; a failure is shown. False then.
bool OpenProjectDocumentation(const ProjectFile& project, const OwnViewer& viewer = {});

}  // namespace zel::app
