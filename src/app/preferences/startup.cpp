#include "app/preferences/startup.h"

#include "app/project/project_file.h"
#include "app/project/project_naming.h"
#include "platform/desktop.h"
#include "platform/files.h"

namespace zel::app {

namespace {

bool SameScreen(const Preferences& preferences, ScreenSize currentScreen) {
  const auto stored = preferences.screenSize();
  return stored && *stored == currentScreen;
}

}  // namespace

Preferences BeginStartup(const std::filesystem::path& programDirectory) {
  platform::SetUpProcessLocale();
  Preferences preferences(programDirectory);
  preferences.writeLanguage();
  SetUpTimeBase(preferences);
  return preferences;
}

platform::TimeBiases SetUpTimeBase(const Preferences& preferences) {
  platform::TimeBiases biases;
  biases.local = preferences.timeZoneLocalBias().value_or(0);
  biases.remote = preferences.timeZoneRemoteBias().value_or(0);
  platform::SetTimeBiases(biases);
  return biases;
}

std::optional<WindowPlacement> StoredMainWindow(const Preferences& preferences,
                                                ScreenSize currentScreen) {
  if (!SameScreen(preferences, currentScreen)) return std::nullopt;
  return preferences.mainWindow();
}

StlBarState StoredStlBar(const Preferences& preferences, ScreenSize currentScreen, int clientRight,
                         int clientTop) {
  if (SameScreen(preferences, currentScreen)) {
    if (const auto stored = preferences.stlBar()) return *stored;
  }
  return DefaultStlBar(clientRight, clientTop);
}

std::optional<std::string> ProjectToReopen(const Preferences& preferences,
                                           const std::filesystem::path& projectDirectory) {
  std::string name = preferences.currentProject();
  // A name from the file must stay one directory below the project directory.
  if (!IsSafeDirectoryName(name)) return std::nullopt;
  if (!platform::PathExistsNoCase(projectDirectory / name / kProjectFileName)) return std::nullopt;
  return name;
}

bool WriteExitState(const Preferences& preferences, const ExitState& state) {
  bool ok = true;
  if (state.stlBar) ok = preferences.setStlBar(*state.stlBar) && ok;
  if (state.mainWindow) {
    const auto& w = *state.mainWindow;
    ok = preferences.setMainWindow(w.placement, w.maximized, w.minimized) && ok;
  }
  if (state.messageWindow) {
    const auto& w = *state.messageWindow;
    ok = preferences.setMessageWindow(w.placement, w.maximized, w.minimized) && ok;
  }
  if (state.screen) ok = preferences.setScreenSize(*state.screen) && ok;
  return preferences.setCurrentProject(state.currentProject) && ok;
}

}  // namespace zel::app
