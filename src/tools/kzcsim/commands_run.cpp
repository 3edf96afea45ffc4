// Run control: the project as a whole ("R", "S", "B", "Y!"), single programs ("RP",
// "SP", "BP"), the error word ("MF=") and the force table ("YF").

#include "tools/kzcsim/ci_interpreter.h"
#include "tools/kzcsim/ci_text.h"

namespace zel::kzcsim {

namespace {

enum class RunAction { Run, Stop, Break };

void Apply(Program& program, RunAction action) {
  switch (action) {
    case RunAction::Run:
      program.state = ProgramState::Active;
      break;
    case RunAction::Stop:
      program.state = ProgramState::Stopped;
      program.step = 0;
      program.moduleStep = 0;
      break;
    case RunAction::Break:
      program.state = ProgramState::Stopped;
      break;
  }
}

Reply All(Controller& c, RunAction action) {
  if (!c.projectLoaded()) return Reply::Fail(reason::kNoProject);
  for (Program& program : c.memory().programs) {
    if (program.present) Apply(program, action);
  }
  return Reply::Ok();
}

Reply One(Controller& c, std::string_view args, RunAction action) {
  const auto number = TakeUnsigned(args, kPrograms - 1);
  if (!number || !Trim(args).empty()) return Reply::Fail(reason::kSyntax);
  Program& program = c.memory().programs[*number];
  if (!program.present) return Reply::Fail(reason::kNoProject);
  Apply(program, action);
  return Reply::Ok();
}

Reply Run(Controller& c, std::string_view) {
  return All(c, RunAction::Run);
}
Reply Stop(Controller& c, std::string_view) {
  return All(c, RunAction::Stop);
}
Reply Halt(Controller& c, std::string_view) {
  return All(c, RunAction::Break);
}
Reply RunProgram(Controller& c, std::string_view args) {
  return One(c, args, RunAction::Run);
}
Reply StopProgram(Controller& c, std::string_view args) {
  return One(c, args, RunAction::Stop);
}
Reply HaltProgram(Controller& c, std::string_view args) {
  return One(c, args, RunAction::Break);
}

Reply Unload(Controller& c, std::string_view) {
  c.UnloadProject();
  return Reply::Ok();
}

Reply ClearForces(Controller& c, std::string_view) {
  c.memory().ClearForces();
  return Reply::Ok();
}

// "MF=0" resets the error; any other value sets it (the user page's generic form).
Reply SetError(Controller& c, std::string_view args) {
  const auto value = ParseValue(args);
  if (!value || *value < -32768 || *value > 65535) return Reply::Fail(reason::kSyntax);
  c.memory().error = static_cast<std::int16_t>(*value & 0xFFFF);
  return Reply::Ok();
}

}  // namespace

void AddRunCommands(Interpreter& ci) {
  using M = Command::Match;
  using N = Command::Needs;
  ci.Add({"R", M::Exact, N::Unlocked, Run});
  ci.Add({"S", M::Exact, N::Unlocked, Stop});
  ci.Add({"B", M::Exact, N::Unlocked, Halt});
  ci.Add({"Y!", M::Exact, N::Unlocked, Unload});
  ci.Add({"YF", M::Exact, N::Unlocked, ClearForces});
  ci.Add({"RP", M::Prefix, N::Unlocked, RunProgram});
  ci.Add({"SP", M::Prefix, N::Unlocked, StopProgram});
  ci.Add({"BP", M::Prefix, N::Unlocked, HaltProgram});
  ci.Add({"MF=", M::Prefix, N::Unlocked, SetError});
}

}  // namespace zel::kzcsim
