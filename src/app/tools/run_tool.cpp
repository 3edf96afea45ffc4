#include "app/tools/run_tool.h"

#include "app/tools/tool_command.h"
#include "platform/message_box.h"
#include "platform/messages.h"
#include "platform/process.h"

namespace zel::app {

namespace {

ToolRunResult Refuse(std::string_view program, std::string_view parameters, int error) {
  platform::ShowMessageBox(CannotExecuteMessage(program, parameters, error), platform::Buttons::Ok,
                           platform::Icon::Error);
  ToolRunResult result;
  result.error = error;
  return result;
}

// Opens the project that was closed for the run again; the open reports its own failure.
void Reopen(ProjectSession& session, const std::string& project) {
  if (!project.empty() && !session.model().isOpen()) session.openProject(project);
}

}  // namespace

void ToolRunHost::keepAlive() {
  platform::PumpMessages();
}

std::string CannotExecuteMessage(std::string_view program, std::string_view parameters, int error) {
  std::string text = "Cannot execute Command:  \"";
  text += program;
  text += ' ';
  text += parameters;
  text += "\", Error ";
  text += std::to_string(error);
  return text;
}

TokenValues ToolTokenValues(const Preferences& preferences, const ProjectSession& session) {
  TokenValues values;
  values.programDirectory = preferences.programDirectory();
  values.projectDirectory = session.projectDirectory();
  if (session.model().isOpen()) {
    values.projectName = session.model().name();
    values.type = session.model().target();
  }
  values.comPort = preferences.comCiPort();
  values.baudRate = preferences.comCiBaudRate();
  return values;
}

ToolRunResult RunTool(const ToolRecord& tool, const Preferences& preferences,
                      ProjectSession& session, ToolRunHost& host) {
  if (tool.releasesPorts() && !host.releasePorts()) {
    platform::ShowMessageBox(std::string(kFailedClosingOnlineWindows), platform::Buttons::Ok,
                             platform::Icon::Error);
    return {};
  }
  const TokenValues values = ToolTokenValues(preferences, session);
  const std::optional<std::string> parameters =
      ReplaceTokens(tool.parameters, values, TokenMode::Full);
  const std::optional<std::string> program =
      ReplaceTokens(tool.program, values, TokenMode::Install);
  if (!parameters || !program) return Refuse(tool.program, tool.parameters, kToolErrorBadTokens);

  std::string closedProject;
  if (tool.reloadsProject() && session.model().isOpen()) {
    closedProject = session.model().name();
    if (!session.closeProject()) {
      return Refuse(*program, *parameters, kToolErrorCloseCancelled);
    }
  }
  const ToolCommand command =
      SplitToolCommand(*program, *parameters, preferences.programDirectory());
  platform::Process process =
      platform::Process::start(command.program, command.arguments, preferences.programDirectory());
  if (!process.valid()) {
    ToolRunResult refused = Refuse(*program, *parameters, process.startError());
    Reopen(session, closedProject);
    return refused;
  }
  ToolRunResult result;
  if (!tool.waits()) {
    result.status = ToolRunStatus::Started;
    return result;
  }
  host.waitBegins(tool);
  while (!(result.exitCode = process.wait(kToolPollMs))) host.keepAlive();
  host.waitEnds();
  result.status = ToolRunStatus::Finished;
  Reopen(session, closedProject);
  return result;
}

ToolRunResult RunTool(std::size_t n, const Preferences& preferences, ProjectSession& session,
                      ToolRunHost& host) {
  const std::vector<ToolRecord> tools = ReadTools(preferences.file());
  if (n >= tools.size()) return {};
  return RunTool(tools[n], preferences, session, host);
}

}  // namespace zel::app
