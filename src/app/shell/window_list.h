#pragma once
// Section "WINDOWS" of a project file: which windows were open when the project closed
// and where they stood, so that opening the project brings them back.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/preferences/window_placement.h"
#include "app/project/project_file.h"
#include "app/project/project_model.h"
#include "app/shell/window_registry.h"

namespace zel::app {

struct SavedWindow {
  std::string name;
  std::optional<WindowPlacement> placement;  // none when empty or unreadable
};

// Every key of the section in file order.
std::vector<SavedWindow> ReadWindowList(const ProjectFile& file);

struct WindowSnapshot {
  std::string name;  // a document's file name (a directory is dropped) or a window name
  WindowPlacement placement;
  bool maximized = false;
  bool minimized = false;
};

// Rewrites the section: the documents first, in the order given, then those of the
// allocation list, IO configuration, driver configuration and project tree that are
// among `fixedWindows`. Online windows are never remembered.
bool SaveWindowList(const ProjectFile& file, const std::vector<WindowSnapshot>& documents,
                    const std::vector<WindowSnapshot>& fixedWindows);

// Opens each remembered window through `open` and hands its placement (when one was
// stored) to `place`. Names that no longer open are reported and skipped.
using WindowPlacer = std::function<void(const WindowTarget& target, const WindowPlacement&)>;
void RestoreWindowList(const ProjectFile& file, ProjectModel& model, const WindowOpener& open,
                       const WindowPlacer& place);

}  // namespace zel::app
