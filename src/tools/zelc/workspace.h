#pragma once
// The working directory a zelc run works in: the preferences file, the project directory
// it names, and the project session over that directory.

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/preferences/preferences.h"
#include "app/project/project_session.h"
#include "tools/zelc/commands.h"

namespace zel::zelc {

namespace fs = std::filesystem;

class Workspace {
 public:
  // nullopt when the project directory is not set or does not exist; the reason was
  // reported.
  static std::unique_ptr<Workspace> open(const fs::path& workDir);
  ~Workspace();

  const app::Preferences& preferences() const { return m_preferences; }
  app::ProjectSession& session() { return m_session; }

  // Opens the project for changes (with its exclusion file). False when it failed; the
  // message was shown.
  bool openForChange(std::string_view name);
  // Loads the project's modules without taking the exclusion file, for commands that only
  // read. False when there is no such project.
  bool openForReading(std::string_view name);
  app::ProjectModel& model() { return m_session.model(); }

 private:
  Workspace(const fs::path& workDir, fs::path projectDirectory);

  app::Preferences m_preferences;
  app::ProjectSession m_session;
};

// Runs `operation` on the session of the workspace in `options`; the exit status.
int OnSession(const GlobalOptions& options,
              const std::function<bool(app::ProjectSession&)>& operation);

// Reports a failure of the command line itself the way the cores report theirs.
void ReportError(std::string_view text);

}  // namespace zel::zelc
