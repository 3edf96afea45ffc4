#pragma once
// The simulated controller's operands as the command interpreter reads and changes them.
// Sizes follow the operand ranges of the environment (local words 0..255, flag words
// 0..9999, programs 0..63, fieldbus stations 1..99 with up to 16 words each).

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/kzcsim/sim_timer.h"

namespace zel::kzcsim {

inline constexpr unsigned kLocalWords = 256;
inline constexpr unsigned kFlagWords = 10000;
inline constexpr unsigned kRegisters = 256;
inline constexpr unsigned kFunctionUnits = 256;
inline constexpr unsigned kTimers = 256;
inline constexpr unsigned kCounters = 256;
inline constexpr unsigned kPrograms = 64;
inline constexpr unsigned kModules = 100;  // CMP and CFM numbers 0..99
inline constexpr unsigned kProgramLocals = 64;
inline constexpr unsigned kMaxStation = 99;
inline constexpr unsigned kStationWords = 16;
inline constexpr std::size_t kMaxStringText = 127;

// A word whose bits may be forced: the force mask's bits show the forced value instead of
// the one the program or a modify command wrote.
struct ForcedWord {
  std::uint16_t raw = 0;
  std::uint16_t mask = 0;
  std::uint16_t forced = 0;
  std::uint16_t Value() const {
    return static_cast<std::uint16_t>((raw & ~mask) | (forced & mask));
  }
  void Force(std::uint16_t bits, std::uint16_t value) {
    mask |= bits;
    forced = static_cast<std::uint16_t>((forced & ~bits) | (value & bits));
  }
  void Unforce(std::uint16_t bits) { mask = static_cast<std::uint16_t>(mask & ~bits); }
};

enum class ProgramState : std::uint8_t { Inactive = 0, Stopped = 2, Active = 3 };

struct Program {
  bool present = false;  // part of the loaded project
  ProgramState state = ProgramState::Inactive;
  std::uint16_t step = 0;
  std::uint16_t module = 0;
  std::uint16_t moduleStep = 0;
  std::array<std::uint16_t, kProgramLocals> locals{};
};

struct Counter {
  bool bit = false;
  std::uint16_t preset = 0;
  std::uint16_t value = 0;
};

struct FieldbusSlave {
  unsigned address = 1;
  unsigned flags = 0;
  std::vector<ForcedWord> outputs;
  std::vector<ForcedWord> inputs;
};

struct ControllerMemory {
  ControllerMemory();

  std::vector<ForcedWord> inputs;
  std::vector<ForcedWord> outputs;
  std::vector<std::uint16_t> flags;
  std::vector<std::uint16_t> registers;
  std::vector<std::uint16_t> functionUnits;
  std::vector<SimTimer> timers;
  std::vector<Counter> counters;
  std::vector<Program> programs;
  std::vector<FieldbusSlave> slaves;
  std::vector<std::string> strings;
  std::int32_t error = 0;
  bool initialFlag = false;

  void ClearForces();
  void AdvanceTimers(std::int64_t nowMs);
  FieldbusSlave* Slave(unsigned address);
  // The bus is initialised again: every output word of every slave goes to 0.
  void ResetBusOutputs();
};

}  // namespace zel::kzcsim
