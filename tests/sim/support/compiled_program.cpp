#include "sim/support/compiled_program.h"

#include "stl/check/syntax_check.h"
#include "stl/codegen/code_generator.h"
#include "stl/editor/store.h"

namespace zel::emu {
namespace {

class Collect : public stl::CheckReport {
 public:
  explicit Collect(std::string& text) : m_text(text) {}
  void error(int line, std::string_view text) override {
    m_text += std::to_string(line) + ":" + std::string(text) + "\n";
  }
  void notice(std::string_view text) override { m_text += std::string(text) + "\n"; }

 private:
  std::string& m_text;
};

}  // namespace

CompiledProgram CompileDisplay(std::string_view display, const CompileOptions& options) {
  const stl::StoreResult stored = stl::DisplayTextToStored(display);
  if (!stored.converted) {
    CompiledProgram failed;
    failed.messages = "not converted: " + stored.rejected + "\n";
    return failed;
  }
  std::string text;
  for (const std::string& line : stored.lines) text += line + "\n";
  return CompileStored(text, options);
}

CompiledProgram CompileStored(std::string_view stored, const CompileOptions& options) {
  CompiledProgram program;
  Collect report(program.messages);
  stl::CheckSetup setup;
  setup.program = stored;
  setup.module = options.module;
  setup.symbols = options.symbols;
  setup.readFieldbusConfig = [&options] { return options.fieldbusConfig; };
  const stl::CheckResult check = stl::RunSyntaxCheck(setup, report);
  if (check.errors != 0) return program;
  program.intermediate = check.output.intermediate;
  const stl::CodeGenResult code =
      stl::GenerateCode(program.intermediate, {options.module, setup.readFieldbusConfig});
  for (const stl::CodeGenLine& line : code.lines) program.messages += line.log;
  program.ok = code.errors == 0;
  program.object = code.object;
  return program;
}

}  // namespace zel::emu
