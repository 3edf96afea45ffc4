#pragma once
// Texts the editor inserts at the caret: the commands of the "STL Instruction" submenu and
// the lines of the "Module Call" dialog.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "stl/editor/display.h"

namespace zel::stl {

struct InsertionCommand {
  std::string_view label;  // the menu entry
  std::string_view text;   // inserted between two blanks
};

// In submenu order; OTHRW or ELSE, whichever the preference selects.
std::vector<InsertionCommand> KeywordInsertions(bool elseForOtherwise);

// What a command inserts: a blank, its text and another blank.
std::string InsertionText(const InsertionCommand& command);

inline constexpr std::size_t kMaxCallParameters = 6;

struct CallParameter {
  std::string parameter;  // a row counts when it holds more than blanks
  std::string comment;    // optional
};

struct ModuleCallRequest {
  ModuleCallRef module;                      // CMP or CFM and its number
  std::optional<std::string> moduleComment;  // of the called module
  std::array<CallParameter, kMaxCallParameters> parameters;
};

// The display lines of a call, each ended with CR LF: "CMP"/"CFM" and the number, then
// one "WITH" line per filled parameter row; comments follow as ` " ` and the text.
std::string ModuleCallText(const ModuleCallRequest& request);

}  // namespace zel::stl
