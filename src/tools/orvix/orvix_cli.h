#pragma once
// The converter for scripts:
//   orvix --from DIR [--project NAME]... [--type NAME=TYPE]... [--workdir DIR]
// converts the named version-3 projects (all of the list when none is named) with the
// detected controller type unless a "--type" names one, and reports on `console`.

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace zel::orvix {

// The exit status: 0 only when every chosen project was converted, 1 when one was not,
// 2 for a command line that cannot be read.
int RunCommandLine(const std::vector<std::string>& args, const std::filesystem::path& workingDir,
                   std::ostream& console);

// A message of the converter on one line, for the console.
std::string OneLine(std::string_view message);

}  // namespace zel::orvix
