#pragma once
// A tool's command line, split into the program and its arguments so that it is started
// without a shell: nothing a tool entry or a driver script holds is ever interpreted as
// shell syntax. Double quotes group an argument that holds blanks.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zel::app {

struct ToolCommand {
  std::string program;  // a path, or a bare name looked up on PATH
  std::vector<std::string> arguments;
  bool operator==(const ToolCommand&) const = default;
};

// The program text names the program as a whole when it is one existing file (relative
// to `programDirectory`), so a directory with a blank in its name works unquoted;
// otherwise it is split into words like the parameters and its first word is the
// program (a bare name found in `programDirectory` is taken from there). The parameters
// are split into words: blanks separate, double quotes group and are dropped.
ToolCommand SplitToolCommand(std::string_view program, std::string_view parameters,
                             const std::filesystem::path& programDirectory);

// The command line as the user sees it in messages: program, a blank (only when both are
// present) and parameters.
std::string ToolCommandLine(std::string_view program, std::string_view parameters);

}  // namespace zel::app
