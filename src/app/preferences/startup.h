#pragma once
// The parts of the desktop program's start and exit that need no window: the process
// set-up, the stored placements, the project of the last session, and what is written
// back at exit. It calls them in the order of its start-up, around its own windows; the
// project directory check between them is the workspace's (app/project/workspace.h).

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "app/preferences/preferences.h"
#include "app/preferences/stl_bar_state.h"
#include "app/preferences/window_placement.h"
#include "platform/timebase.h"

namespace zel::app {

// Another program asks a window with this message whether it is our main frame (answer 1).
inline constexpr std::string_view kIAmZelProgramMsgName = "I_am_a_ZEL_program";

// Process locale (numbers stay in the "C" form), "LANGUAGE" and the time base; the
// preferences file lies in `programDirectory`, the working directory at start.
Preferences BeginStartup(const std::filesystem::path& programDirectory);

// The hand-set biases of the preferences file; absent ones stay 0.
platform::TimeBiases SetUpTimeBase(const Preferences& preferences);

// "MAIN_WINDOW" and "STL_BAR" only count on the screen size they were written on.
std::optional<WindowPlacement> StoredMainWindow(const Preferences& preferences,
                                                ScreenSize currentScreen);
// The stored bar, or the default placed against the main frame's client area.
StlBarState StoredStlBar(const Preferences& preferences, ScreenSize currentScreen, int clientRight,
                         int clientTop);

// The project open at the last exit, when it is still there; the caller opens it. A
// project that went away is forgotten without a word.
std::optional<std::string> ProjectToReopen(const Preferences& preferences,
                                           const std::filesystem::path& projectDirectory);

struct ExitState {
  std::optional<StlBarState> stlBar;
  struct MainWindow {
    WindowPlacement placement;
    bool maximized = false;
    bool minimized = false;
  };
  std::optional<MainWindow> mainWindow;
  std::optional<MainWindow> messageWindow;  // while one is open
  std::optional<ScreenSize> screen;
  std::string currentProject;  // empty when no project is open
};

// "STL_BAR", "MAIN_WINDOW", "MESSAGE_WINDOW", "SCREEN_SIZE" (those given) and
// "PROJECT_CUR".
bool WriteExitState(const Preferences& preferences, const ExitState& state);

}  // namespace zel::app
