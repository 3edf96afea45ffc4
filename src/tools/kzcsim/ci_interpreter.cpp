#include "tools/kzcsim/ci_interpreter.h"

#include "platform/no_case.h"
#include "tools/kzcsim/ci_text.h"

namespace zel::kzcsim {

Interpreter::Interpreter(ControllerConfig config) : m_controller(std::move(config)) {
  AddIdentityCommands(*this);
  AddRunCommands(*this);
  AddDisplayCommands(*this);
  AddModifyCommands(*this);
  AddFileCommands(*this);
  AddDriverCommands(*this);
}

void Interpreter::Add(const Command& command) {
  for (Command& row : m_table) {
    if (row.match == command.match && platform::EqualsNoCase(row.name, command.name)) {
      row = command;
      return;
    }
  }
  m_table.push_back(command);
}

const Command* Interpreter::Find(std::string_view line) const {
  const Command* best = nullptr;
  for (const Command& row : m_table) {
    const bool matches = row.match == Command::Match::Exact
                             ? platform::EqualsNoCase(line, row.name)
                             : platform::StartsWithNoCase(line, row.name);
    if (!matches) continue;
    if (!best || row.name.size() > best->name.size() ||
        (row.name.size() == best->name.size() && row.match == Command::Match::Exact)) {
      best = &row;
    }
  }
  return best;
}

Reply Interpreter::Probe() {
  return Reply::Ok(m_controller.Banner());
}

Reply Interpreter::Execute(std::string_view line) {
  if (line.size() > kMaxCommand) {
    m_controller.continuation() = nullptr;
    return Reply::Fail(reason::kTooLong);
  }
  m_controller.memory().AdvanceTimers(m_controller.Now());
  if (m_controller.continuation()) {
    // Moved out first: the continuation may set the next one.
    Continuation next = std::move(m_controller.continuation());
    m_controller.continuation() = nullptr;
    return next(m_controller, line);
  }
  const Command* command = Find(line);
  if (!command) return Reply::Fail(reason::kUnknown);
  if (command->needs == Command::Needs::Unlocked && m_controller.locked()) {
    return Reply::Fail(reason::kLocked);
  }
  return command->handler(m_controller, line.substr(command->name.size()));
}

}  // namespace zel::kzcsim
