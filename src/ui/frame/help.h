#pragma once
// The help: an HTML manual that travels beside the program ("manual/index.html" in the
// program's directory), opened in the desktop's browser.

#include <filesystem>
#include <optional>

namespace zel::ui {

// The manual's table of contents: beside the running program, else in the working
// directory; nullopt when neither has one.
std::optional<std::filesystem::path> HelpTopicsFile();

// Opens the table of contents; a failure is shown as the desktop reports it.
bool OpenHelpTopics();

}  // namespace zel::ui
