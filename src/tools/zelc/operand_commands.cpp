// Operands from the command line: each display text with what the compiler and the
// files make of it.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "stl/lang/operand.h"
#include "tools/zelc/commands.h"
#include "tools/zelc/terminal_text.h"

namespace zel::zelc {

namespace {

// One line: the text, then its stored notation and, when that exists, the class index,
// the validity and the display notation read back from it.
void DescribeOperand(std::ostream& out, const std::string& text) {
  out << text << '\t';
  const auto stored = stl::DisplayToStored(FromTerminal(text));
  const auto operand = stored ? stl::ReadStoredOperand(*stored) : std::nullopt;
  if (!operand) {
    out << "-\n";
    return;
  }
  out << ToTerminal(operand->stored) << '\t' << static_cast<unsigned>(operand->classIndex) << '\t'
      << (stl::IsValidOperand(*operand) ? "valid" : "invalid") << '\t'
      << ToTerminal(operand->display) << '\n';
}

}  // namespace

void AddOperandCommands(CLI::App& app, CommandAction& chosen) {
  auto texts = std::make_shared<std::vector<std::string>>();
  auto* operand = app.add_subcommand(
      "operand", "Convert operands: text, stored notation, class index, validity, display");
  operand->add_option("TEXT", *texts, "Operands in display notation")->required();
  WhenChosen(operand, chosen, [texts](const GlobalOptions&, std::ostream& out) {
    for (const auto& text : *texts) DescribeOperand(out, text);
    return 0;
  });
}

}  // namespace zel::zelc
