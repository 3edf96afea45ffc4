#include "build/driver_commands.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>

#include "app/tools/run_tool.h"
#include "build/error_descriptions.h"
#include "platform/process.h"

namespace zel::build {

namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

std::string Seconds(std::chrono::milliseconds time) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", static_cast<double>(time.count()) / 1000.0);
  return text;
}

void Tone(const DriverCommandOptions& options) {
  if (options.errorTone) options.errorTone();
}

// "Cannot execute Command:  "program parameters", Error n": the program is the line's first
// word, the parameters the rest.
std::string CannotStart(std::string_view line, int error) {
  line = Trim(line);
  const std::size_t blank = line.find_first_of(" \t");
  const std::string_view program = line.substr(0, blank);
  const std::string_view parameters =
      blank == std::string_view::npos ? std::string_view() : Trim(line.substr(blank));
  return "ERROR: " + app::CannotExecuteMessage(program, parameters, error) + "\r\n";
}

void Describe(const DriverEntry& driver, const DriverCommandOptions& options, int code,
              BuildLog& log) {
  if (driver.commandErrorFile.empty()) return;
  std::filesystem::path file(driver.commandErrorFile);
  if (file.is_relative() && !options.workingDirectory.empty()) {
    file = options.workingDirectory / file;
  }
  if (const std::optional<std::string> text = ReadErrorDescription(file, code)) {
    log.print("Driver Error Description:  " + *text + "\r\n");
  }
}

void RunOne(const DriverEntry& driver, const DriverCommand& command,
            const DriverCommandOptions& options, BuildLog& log) {
  if (!command.replaced) {
    // The invalid replacement was reported when the script was read.
    log.print("INFO: driver command  \"" + command.line + "\"  not executed\r\n");
    return;
  }
  platform::Process process = platform::Process::start(command.line, options.workingDirectory);
  if (!process.valid()) {
    Tone(options);
    log.error(CannotStart(command.line, process.startError()));
    return;
  }
  const auto limit = std::clamp<std::chrono::milliseconds::rep>(options.timeLimit.count(), 0,
                                                                std::numeric_limits<int>::max());
  const std::optional<int> code = process.wait(static_cast<int>(limit));
  if (!code) {
    process.kill();
    Tone(options);
    log.error("ERROR: driver command  \"" + command.line + "\"  did not end within " +
              Seconds(options.timeLimit) + " seconds and was stopped\r\n");
    return;
  }
  if (*code == 0) return;
  Tone(options);
  log.error("ERROR: execution of driver command  \"" + command.line + "\"  failed [" +
            std::to_string(static_cast<unsigned>(*code)) + "] \r\n");
  Describe(driver, options, *code, log);
}

}  // namespace

void RunDriverCommands(const std::vector<DriverEntry>& drivers, const DriverCommandOptions& options,
                       BuildLog& log) {
  for (const DriverEntry& driver : drivers) {
    for (const DriverCommand& command : driver.commands) RunOne(driver, command, options, log);
  }
}

}  // namespace zel::build
