#pragma once
// One stored line of a program file as the editor shows it: keywords as words, operands in
// display notation, every token at the column of its kind. Besides the text, the facts the
// editor needs about the line: its last absolute operand, its last symbol and the module
// it calls.

#include <optional>
#include <string>
#include <string_view>

#include "app/modules/module.h"
#include "stl/editor/conversion_context.h"
#include "stl/lang/operand.h"

namespace zel::stl {

// Stands before stored text that fits no rule of the stored form.
inline constexpr std::string_view kLeftoverMark = " ????? ";

struct ModuleCallRef {
  app::ModuleKind kind = app::ModuleKind::Cmp;
  int number = 0;
  bool operator==(const ModuleCallRef&) const = default;
};

struct DisplayLine {
  std::string text;
  std::optional<Operand> lastOperand;
  std::optional<std::string> lastSymbol;
  std::optional<ModuleCallRef> moduleCall;  // a CMP n or CFM n on the line
  bool hasComment = false;                  // the line's own comment, not a list comment
  bool hasLeftover = false;                 // shown after kLeftoverMark
};

DisplayLine StoredLineToDisplay(std::string_view stored, const ConversionContext& context);

}  // namespace zel::stl
