#pragma once
// The help: an HTML manual that travels beside the program ("manual/index.html" in the
// program's directory), opened in the desktop's browser, or in the program's own help
// window when the desktop has none. Each kind of window has its page.

#include <filesystem>
#include <optional>
#include <string_view>

#include "app/project/documentation_open.h"
#include "app/shell/window_registry.h"

namespace zel::ui {

// The manual's directory: beside the running program, else in the working directory;
// nullopt when neither has one.
std::optional<std::filesystem::path> ManualDirectory();

// The manual's table of contents, when there is a manual.
std::optional<std::filesystem::path> HelpTopicsFile();

// The page that tells about a kind of window; the table of contents without one.
std::string_view ManualPage(std::optional<app::WindowKind> kind);

// Opens `page` of the manual with the desktop, else in `viewer`; a failure is shown.
bool OpenHelpPage(std::string_view page, const app::OwnViewer& viewer);

}  // namespace zel::ui
