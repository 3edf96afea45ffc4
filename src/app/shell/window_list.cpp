#include "app/shell/window_list.h"

#include <algorithm>
#include <array>
#include <filesystem>

#include "platform/no_case.h"

namespace zel::app {

namespace {

// The fixed windows a project remembers, in the order they are written.
constexpr std::array<WindowKind, 4> kRememberedWindows = {
    WindowKind::AllocList, WindowKind::IoConfig, WindowKind::DriverConfig, WindowKind::ProjectTree};

std::string FileNameOnly(const std::string& name) {
  return std::filesystem::path(name).filename().string();
}

const WindowSnapshot* FindSnapshot(const std::vector<WindowSnapshot>& windows,
                                   std::string_view name) {
  const auto found = std::find_if(windows.begin(), windows.end(), [&](const WindowSnapshot& w) {
    return platform::EqualsNoCase(w.name, name);
  });
  return found == windows.end() ? nullptr : &*found;
}

void AddSnapshot(platform::ProfileEntries& entries, std::string key, const WindowSnapshot& w) {
  entries.emplace_back(std::move(key), FormatPlacement(w.placement, w.maximized, w.minimized));
}

}  // namespace

std::vector<SavedWindow> ReadWindowList(const ProjectFile& file) {
  std::vector<SavedWindow> windows;
  for (auto& key : file.keys(kSectionWindows)) {
    const std::string value = file.read(kSectionWindows, key);
    windows.push_back({std::move(key), ParsePlacement(value)});
  }
  return windows;
}

bool SaveWindowList(const ProjectFile& file, const std::vector<WindowSnapshot>& documents,
                    const std::vector<WindowSnapshot>& fixedWindows) {
  platform::ProfileEntries entries;
  for (const auto& document : documents) {
    AddSnapshot(entries, FileNameOnly(document.name), document);
  }
  for (const WindowKind kind : kRememberedWindows) {
    const std::string name(WindowInfo(kind).windowName);
    if (const WindowSnapshot* window = FindSnapshot(fixedWindows, name)) {
      AddSnapshot(entries, name, *window);
    }
  }
  return file.replaceSection(kSectionWindows, entries);
}

void RestoreWindowList(const ProjectFile& file, ProjectModel& model, const WindowOpener& open,
                       const WindowPlacer& place) {
  for (const SavedWindow& window : ReadWindowList(file)) {
    OpenWindowByName(window.name, model, [&](const WindowTarget& target) {
      if (!open(target)) return false;
      if (window.placement) place(target, *window.placement);
      return true;
    });
  }
}

}  // namespace zel::app
