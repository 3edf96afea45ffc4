#pragma once
// Compiles a program the way a compilation does (display text to stored form, both
// checking passes, code generation) and hands back the module file for the emulated
// controller, or every message that stopped it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zel::stl {
class AllocationList;
}

namespace zel::emu {

struct CompiledProgram {
  bool ok = false;
  std::string messages;  // check and code generator findings, one per line
  std::string intermediate;
  std::vector<std::uint8_t> object;
};

struct CompileOptions {
  std::string module = "CZ0P05V1";
  std::optional<std::string> fieldbusConfig;     // the bytes of "CR.CFG"
  const stl::AllocationList* symbols = nullptr;  // none: every symbol is unknown
};

// Display text as typed in the editor, lines separated by LF.
CompiledProgram CompileDisplay(std::string_view display, const CompileOptions& options = {});
// A program already in stored form.
CompiledProgram CompileStored(std::string_view stored, const CompileOptions& options = {});

}  // namespace zel::emu
