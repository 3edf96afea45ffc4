#pragma once
// One run of the converter: base + ".TXT" in, base + ".BIN" out. A failed run leaves no
// ".BIN" behind: the new file appears whole or not at all, and an old one is removed
// when the definition it would replace is wrong.

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace zel::tamsel {

// Empty on success, else the message for the user.
using RunOutcome = std::optional<std::string>;

// `args` are the command-line parameters without the program's name; the preferences
// file is looked for in `workDir`; notes for the console go to `console`.
RunOutcome RunTamsel(const std::vector<std::string>& args, const std::filesystem::path& workDir,
                     std::ostream& console);

// Shows a failure through the message box host with the converter's caption; returns
// the exit status, 0 on success and 1 on failure.
int ReportOutcome(const RunOutcome& outcome);

}  // namespace zel::tamsel
