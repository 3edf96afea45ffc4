#pragma once
// Running an external tool: release the ports, replace the tokens, close the project
// around the run, start the program without a shell, and wait for it while the program's
// own messages keep flowing (a tool that talks to us, or a controller reply arriving
// meanwhile, must not find the program deaf).

#include <cstddef>
#include <optional>
#include <string>

#include "app/preferences/preferences.h"
#include "app/project/project_session.h"
#include "app/tools/replace_tokens.h"
#include "app/tools/tool_record.h"

namespace zel::app {

// The error number the message shows when the user cancelled closing the project.
inline constexpr int kToolErrorCloseCancelled = 1003;
// ... and when the tool's line holds a token that cannot be replaced.
inline constexpr int kToolErrorBadTokens = 1004;
// How often a waiting run lets the program handle its messages.
inline constexpr int kToolPollMs = 25;

// Formats "Cannot execute Command:  \"%s %s\", Error %d".
std::string CannotExecuteMessage(std::string_view program, std::string_view parameters, int error);
inline constexpr std::string_view kFailedClosingOnlineWindows = "Failed closing all Online Windows";

// What the running program lends a tool run. The defaults suit a program without
// windows: nothing online to close, nothing to minimise, the message queue pumped.
class ToolRunHost {
 public:
  virtual ~ToolRunHost() = default;
  // Closes all online windows and the controller connection; false when that failed.
  virtual bool releasePorts() { return true; }
  // The program waits for `tool` (minimise the main window, say so in the status bar).
  virtual void waitBegins(const ToolRecord& /*tool*/) {}
  // Called every kToolPollMs while waiting.
  virtual void keepAlive();
  // The wait is over (restore the main window).
  virtual void waitEnds() {}
};

enum class ToolRunStatus {
  Refused,   // not started: a message said why
  Started,   // runs on; the program did not wait
  Finished,  // the program waited; exitCode holds the tool's exit code
};

struct ToolRunResult {
  ToolRunStatus status = ToolRunStatus::Refused;
  std::optional<int> exitCode;
  int error = 0;  // the number the message showed when refused
};

// The replacement values for a tool run or a library operation: the program directory,
// the project directory, the open project (if any) and its type, the preferences' port.
TokenValues ToolTokenValues(const Preferences& preferences, const ProjectSession& session);

// Runs `tool`. The preferences are not changed.
ToolRunResult RunTool(const ToolRecord& tool, const Preferences& preferences,
                      ProjectSession& session, ToolRunHost& host);
// Runs tool n of the preferences' list; Refused (without a message) when there is none.
ToolRunResult RunTool(std::size_t n, const Preferences& preferences, ProjectSession& session,
                      ToolRunHost& host);

}  // namespace zel::app
