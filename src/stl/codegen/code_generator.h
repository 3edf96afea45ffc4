#pragma once
// The last pass of a compilation: parses the intermediate text that the check wrote,
// translates it sentence by sentence into machine code and lays out the compiled module
// file. Everything happens in memory; the compile driver owns the files.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zel::stl {

struct CodeGenSetup {
  std::string module;  // upper case, e.g. CZ0P05V1; its fourth letter is the module type
  // The bytes of "CR.CFG" when the project has one; asked at most once, at the first
  // fieldbus operand.
  std::function<std::optional<std::string>()> readFieldbusConfig;
};

// One report of the pass, already formatted; either text may be empty.
struct CodeGenLine {
  std::string window;  // for the message window, ends in CR LF
  std::string log;     // for the log file, ends in LF
};

struct CodeGenResult {
  int errors = 0;
  std::vector<CodeGenLine> lines;    // the faults; the size line is the writer's (below)
  std::vector<std::uint8_t> object;  // the whole compiled module file; empty after errors
  std::size_t codeSize = 0;
};

CodeGenResult GenerateCode(std::string_view intermediate, const CodeGenSetup& setup);

// "%5u Bytes Machine Code": reported by whoever wrote the module file, since the line
// stands for a module that exists.
std::string MachineCodeLine(std::size_t codeSize);
// What an exception that ended a compilation leaves in the message window and the log;
// `text` may be null.
CodeGenLine TerminatedByException(const char* text);

}  // namespace zel::stl
