#pragma once
// The check a compilation runs, over the editor's display lines instead of the file, so
// the editor can mark the lines the compilation will refuse while the user is still
// typing. Every display line is converted as saving would convert it; a line that becomes
// several stored lines owns the findings of all of them.

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zel::stl {

class AllocationList;

struct LineCheckSetup {
  std::string module;                       // the module name; a CFM has type letter F
  const AllocationList* symbols = nullptr;  // none: every symbol is unknown
  // The bytes of "CR.CFG", nothing when there is none; asked at most once.
  std::function<std::optional<std::string>()> readFieldbusConfig;
};

struct LineFinding {
  int line = 0;  // 0-based display line
  // The check's texts for the line, each as it reads in the message window after the
  // location, joined by line breaks.
  std::string text;
  bool operator==(const LineFinding&) const = default;
};

// Findings in line order, one per line that has any. A finding past the last line (the
// end of the program came too early) belongs to the last line.
std::vector<LineFinding> CheckDisplayLines(const std::vector<std::string>& displayLines,
                                           const LineCheckSetup& setup);

}  // namespace zel::stl
