#pragma once
// The controller's command interpreter: a table of commands, each a name, how the name
// must match the line, whether the controller must be unlocked, and one handler.
// A line is run by the entry with the longest name that matches it (an exact entry wins
// over a prefix entry of the same length), so "MEWF" is never taken for "MEW" + "F", and
// groups of commands added later only add rows.

#include <string>
#include <string_view>
#include <vector>

#include "tools/kzcsim/ci_reply.h"
#include "tools/kzcsim/controller.h"

namespace zel::kzcsim {

using Handler = Reply (*)(Controller& controller, std::string_view args);

struct Command {
  enum class Match { Exact, Prefix };
  enum class Needs { Nothing, Unlocked };
  std::string_view name;  // matched without regard to case
  Match match = Match::Prefix;
  Needs needs = Needs::Nothing;
  Handler handler = nullptr;
};

class Interpreter {
 public:
  explicit Interpreter(ControllerConfig config);

  // One command line, without its terminator.
  Reply Execute(std::string_view line);
  // The answer to the probe byte: the banner.
  Reply Probe();
  // Adds a row; a row with the same name and match replaces the old one.
  void Add(const Command& command);
  const Command* Find(std::string_view line) const;

  Controller& controller() { return m_controller; }
  const std::vector<Command>& table() const { return m_table; }

 private:
  Controller m_controller;
  std::vector<Command> m_table;
};

// The command groups, each in its own file.
void AddIdentityCommands(Interpreter& interpreter);
void AddRunCommands(Interpreter& interpreter);
void AddDisplayCommands(Interpreter& interpreter);
void AddModifyCommands(Interpreter& interpreter);
void AddFileCommands(Interpreter& interpreter);
void AddDriverCommands(Interpreter& interpreter);

}  // namespace zel::kzcsim
