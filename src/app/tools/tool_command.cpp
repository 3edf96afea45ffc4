#include "app/tools/tool_command.h"

#include "platform/files.h"
#include "platform/spawn.h"

namespace zel::app {

namespace {

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

bool IsRegularFile(const std::filesystem::path& path) {
  const std::optional<std::filesystem::path> found = platform::FindPathNoCase(path);
  std::error_code ec;
  return found && std::filesystem::is_regular_file(*found, ec);
}

// A program found beside us wins over one of the same name on PATH, as the tools that
// driver scripts install live in the program's directory tree.
std::string Locate(const std::string& program, const std::filesystem::path& programDirectory) {
  if (programDirectory.empty()) return program;
  if (program.find('/') != std::string::npos) {
    const std::filesystem::path path{program};
    return path.is_relative() ? (programDirectory / path).string() : program;
  }
  const std::filesystem::path local = programDirectory / program;
  if (IsRegularFile(local)) return platform::FindPathNoCase(local)->string();
  return program;
}

std::filesystem::path Absolute(std::string_view program,
                               const std::filesystem::path& programDirectory) {
  std::filesystem::path path{std::string(program)};
  if (path.is_relative() && !programDirectory.empty()) path = programDirectory / path;
  return path;
}

}  // namespace

ToolCommand SplitToolCommand(std::string_view program, std::string_view parameters,
                             const std::filesystem::path& programDirectory) {
  ToolCommand command;
  const std::string_view whole = Trim(program);
  if (!whole.empty() && whole.front() != '"' && whole.find(' ') != std::string_view::npos &&
      IsRegularFile(Absolute(whole, programDirectory))) {
    command.program = platform::FindPathNoCase(Absolute(whole, programDirectory))->string();
  } else {
    std::vector<std::string> words = platform::detail::SplitCommandLine(whole);
    if (!words.empty()) {
      command.program = Locate(words.front(), programDirectory);
      command.arguments.assign(words.begin() + 1, words.end());
    }
  }
  for (std::string& word : platform::detail::SplitCommandLine(parameters)) {
    command.arguments.push_back(std::move(word));
  }
  return command;
}

std::string ToolCommandLine(std::string_view program, std::string_view parameters) {
  std::string line(program);
  if (!program.empty() && !parameters.empty()) line += ' ';
  line += parameters;
  return line;
}

}  // namespace zel::app
