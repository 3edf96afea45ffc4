#pragma once
// A workspace: the program directory whose preferences file (ZEL.INI) names the project
// directory ("PROJECT_DIR"), and one project session over that directory. Every program
// that works on projects starts from here. zelc and the converters open a Workspace for
// one run and open one project in it, for reading or for change. The desktop program's
// frame keeps its preferences and its session for the whole run, since the preferences
// dialog may move it to another project directory; it takes the same project directory
// check, and asks the user for a directory where a command-line run gives up.
//
// It lies with the project store rather than the preferences because what it hands out
// is a project session. Of the preferences it reads the project directory and the time
// base; it writes to them only what the session does, the recent projects, when a
// project is opened for change.

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "app/preferences/preferences.h"
#include "app/project/project_session.h"

namespace zel::app {

namespace fs = std::filesystem;

inline constexpr std::string_view kMsgNoValidProjectPath = "No (valid) Project Path";

// A program's way of letting the user set the project directory (the preferences
// dialog), which stores it in the preferences.
using AskForProjectDirectory = std::function<void()>;

// The project directory the preferences name, found without regard to case, when it
// exists. Otherwise a program that can ask (`ask` set) asks "Please enter a project
// path." and, on OK, runs `ask` and looks again. A directory still missing is reported
// ("No (valid) Project Path") and gives nullopt.
std::optional<fs::path> CheckProjectDirectory(const Preferences& preferences,
                                              const AskForProjectDirectory& ask);

class Workspace {
 public:
  // The preferences of `programDirectory` (a missing ZEL.INI names no project
  // directory), the time base they set, and the project directory check without asking;
  // nullptr when there is no project directory (the user was told).
  static std::unique_ptr<Workspace> open(const fs::path& programDirectory);
  ~Workspace();  // closes the project opened for change, releasing its exclusion file
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  const Preferences& preferences() const { return m_preferences; }
  const fs::path& projectDirectory() const { return m_session.projectDirectory(); }
  ProjectSession& session() { return m_session; }
  ProjectModel& model() { return m_session.model(); }

  // Opens the project for change: takes its exclusion file ("Project._PA"), asking the
  // user when another session seems to hold it. False when it failed or the user
  // declined (the user was told).
  bool openForChange(std::string_view name);
  // Loads the project's modules without the exclusion file, for work that writes no
  // project file: it succeeds while another session has the project open. False (the
  // user was told) when there is no such project.
  bool openForReading(std::string_view name);

 private:
  Workspace(Preferences preferences, fs::path projectDirectory);

  Preferences m_preferences;
  ProjectSession m_session;
};

}  // namespace zel::app
