// A tool's program and parameters as the preferences file or a driver script gives them:
// the tokens of both modes must be replaced or refused without a crash or an endless
// pass, and the command line split into program and arguments.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/tools/replace_tokens.h"
#include "app/tools/tool_command.h"

namespace {

using namespace zel::app;

void Check(bool condition) {
  if (!condition) std::abort();
}

TokenValues Values() {
  TokenValues v;
  v.programDirectory = "/zel";
  v.type = "VM1X";
  v.projectDirectory = "/zel/Projects";
  v.projectName = "DEMO";
  v.comPort = "COM1";
  v.baudRate = 9600;
  return v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  // The first line is the program, the rest the parameters.
  const std::size_t newline = input.find('\n');
  const std::string_view program = input.substr(0, newline);
  const std::string_view parameters =
      newline == std::string_view::npos ? std::string_view{} : input.substr(newline + 1);
  static const TokenValues values = Values();
  for (const TokenMode mode : {TokenMode::Install, TokenMode::Full}) {
    const auto replaced = ReplaceTokens(parameters, values, mode);
    if (!replaced) continue;
    Check(replaced->find(kTokenOpen) == std::string::npos);
    Check(replaced->find(kTokenClose) == std::string::npos);
  }
  const ToolCommand command = SplitToolCommand(program, parameters, "/nonexistent-zel-dir");
  Check(command.arguments.size() <= size + 1);
  (void)ToolCommandLine(program, parameters);
  return 0;
}
