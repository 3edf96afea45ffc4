#pragma once
// The View menu's "Project Documentation": the project's documentation file opens in the
// desktop's application for it, in the file's own directory.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "app/project/project_file.h"
#include "platform/desktop.h"

namespace zel::app {

// What the user is told when the desktop could not open `file`; nullopt for success.
std::optional<std::string> DocumentationOpenFailure(platform::OpenDocumentResult result,
                                                    std::string_view file);

// Opens the documentation file of `project`; a failure is shown. False then.
bool OpenProjectDocumentation(const ProjectFile& project);

}  // namespace zel::app
