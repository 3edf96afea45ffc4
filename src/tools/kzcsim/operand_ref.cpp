#include "tools/kzcsim/operand_ref.h"

#include <array>
#include <vector>

#include "tools/kzcsim/ci_text.h"

namespace zel::kzcsim {

namespace {

enum class Shape : std::uint8_t {
  IoBit,      // w.b or station.w.b
  IoWord,     // w or station.w
  FlagBit,    // w.b, w up to 9999
  FlagWord,   // w up to 9999
  Number,     // n up to 255
  Program,    // n up to 63
  FuOrLocal,  // n, or program.local
  SOrStep,    // nothing, or a program number
  Nothing,
};

struct Prefix {
  std::string_view text;
  Shape shape;
  Area area;
};

// Longer prefixes ahead of the shorter ones that begin them.
constexpr std::array<Prefix, 21> kPrefixes{{
    {"ZW", Shape::Number, Area::CounterValue},    {"ZV", Shape::Number, Area::CounterPreset},
    {"Z", Shape::Number, Area::CounterBit},       {"TW", Shape::Number, Area::TimerValue},
    {"TV", Shape::Number, Area::TimerPreset},     {"TE", Shape::Number, Area::TimerBit},
    {"TA", Shape::Number, Area::TimerBit},        {"T", Shape::Number, Area::TimerBit},
    {"S", Shape::SOrStep, Area::InitialFlag},     {"R", Shape::Number, Area::Register},
    {"PS", Shape::Program, Area::ProgramStopped}, {"P", Shape::Program, Area::ProgramActive},
    {"O", Shape::FuOrLocal, Area::FunctionUnit},  {"MW", Shape::FlagWord, Area::FlagWord},
    {"M", Shape::FlagBit, Area::FlagBit},         {"FW", Shape::Nothing, Area::ErrorWord},
    {"F", Shape::Nothing, Area::ErrorBit},        {"EW", Shape::IoWord, Area::InputWord},
    {"E", Shape::IoBit, Area::InputBit},          {"AW", Shape::IoWord, Area::OutputWord},
    {"A", Shape::IoBit, Area::OutputBit},
}};

// Up to three groups of digits joined by single points.
std::vector<std::uint32_t> TakeGroups(std::string_view& text) {
  std::vector<std::uint32_t> groups;
  std::string_view rest = text;
  while (groups.size() < 3) {
    std::string_view probe = rest;
    if (!groups.empty() && !TakePrefix(probe, ".")) break;
    const auto number = TakeUnsigned(probe, 99999);
    if (!number) break;
    groups.push_back(*number);
    rest = probe;
  }
  text = rest;
  return groups;
}

bool IsInput(Area area) {
  return area == Area::InputBit || area == Area::InputWord;
}

// A station's word exists when the slave is configured with that many words.
bool StationWordExists(ControllerMemory& memory, Area area, unsigned station, unsigned word) {
  const FieldbusSlave* slave = memory.Slave(station);
  if (!slave) return false;
  return word < (IsInput(area) ? slave->inputs.size() : slave->outputs.size());
}

std::optional<OperandRef> Shaped(ControllerMemory& memory, const Prefix& prefix,
                                 const std::vector<std::uint32_t>& g) {
  OperandRef ref{prefix.area, 0, 0, 0};
  switch (prefix.shape) {
    case Shape::IoBit:
      if (g.size() == 2 && g[0] < kLocalWords && g[1] < 16)
        return ref.index = g[0], ref.bit = g[1], ref;
      if (g.size() == 3 && g[0] >= 1 && g[0] <= kMaxStation && g[2] < 16 &&
          StationWordExists(memory, prefix.area, g[0], g[1]))
        return ref.station = g[0], ref.index = g[1], ref.bit = g[2], ref;
      return std::nullopt;
    case Shape::IoWord:
      if (g.size() == 1 && g[0] < kLocalWords) return ref.index = g[0], ref;
      if (g.size() == 2 && g[0] >= 1 && g[0] <= kMaxStation &&
          StationWordExists(memory, prefix.area, g[0], g[1]))
        return ref.station = g[0], ref.index = g[1], ref;
      return std::nullopt;
    case Shape::FlagBit:
      if (g.size() == 2 && g[0] < kFlagWords && g[1] < 16)
        return ref.index = g[0], ref.bit = g[1], ref;
      return std::nullopt;
    case Shape::FlagWord:
      if (g.size() == 1 && g[0] < kFlagWords) return ref.index = g[0], ref;
      return std::nullopt;
    case Shape::Number:
      if (g.size() == 1 && g[0] < 256) return ref.index = g[0], ref;
      return std::nullopt;
    case Shape::Program:
      if (g.size() == 1 && g[0] < kPrograms) return ref.index = g[0], ref;
      return std::nullopt;
    case Shape::FuOrLocal:
      if (g.size() == 1 && g[0] < kFunctionUnits) return ref.index = g[0], ref;
      if (g.size() == 2 && g[0] < kPrograms && g[1] < kProgramLocals)
        return ref.area = Area::ProgramLocal, ref.index = g[0], ref.bit = g[1], ref;
      return std::nullopt;
    case Shape::SOrStep:
      if (g.empty()) return ref;
      if (g.size() == 1 && g[0] < kPrograms)
        return ref.area = Area::ProgramStep, ref.index = g[0], ref;
      return std::nullopt;
    case Shape::Nothing:
      if (g.empty()) return ref;
      return std::nullopt;
  }
  return std::nullopt;
}

ForcedWord& IoWord(ControllerMemory& memory, const OperandRef& ref) {
  const bool input = IsInput(ref.area);
  if (ref.station == 0) return input ? memory.inputs[ref.index] : memory.outputs[ref.index];
  FieldbusSlave* slave = memory.Slave(ref.station);  // checked when parsed
  return input ? slave->inputs[ref.index] : slave->outputs[ref.index];
}

std::uint16_t Bit(std::uint16_t word, unsigned bit) {
  return (word >> bit) & 1u;
}

std::uint16_t WithBit(std::uint16_t word, unsigned bit, bool on) {
  const auto mask = static_cast<std::uint16_t>(1u << bit);
  return static_cast<std::uint16_t>(on ? word | mask : word & ~mask);
}

}  // namespace

std::optional<OperandRef> TakeOperand(std::string_view& text, ControllerMemory& memory) {
  for (const Prefix& prefix : kPrefixes) {
    std::string_view rest = text;
    if (!TakePrefix(rest, prefix.text)) continue;
    const auto groups = TakeGroups(rest);
    const auto ref = Shaped(memory, prefix, groups);
    if (!ref) return std::nullopt;
    text = rest;
    return ref;
  }
  return std::nullopt;
}

bool IsBitOperand(const OperandRef& ref) {
  switch (ref.area) {
    case Area::InputBit:
    case Area::OutputBit:
    case Area::FlagBit:
    case Area::TimerBit:
    case Area::CounterBit:
    case Area::ProgramActive:
    case Area::ProgramStopped:
    case Area::InitialFlag:
    case Area::ErrorBit:
      return true;
    default:
      return false;
  }
}

std::uint16_t ReadOperand(ControllerMemory& m, const OperandRef& ref) {
  switch (ref.area) {
    case Area::InputBit:
    case Area::OutputBit:
      return Bit(IoWord(m, ref).Value(), ref.bit);
    case Area::InputWord:
    case Area::OutputWord:
      return IoWord(m, ref).Value();
    case Area::FlagBit:
      return Bit(m.flags[ref.index], ref.bit);
    case Area::FlagWord:
      return m.flags[ref.index];
    case Area::Register:
      return m.registers[ref.index];
    case Area::FunctionUnit:
      return m.functionUnits[ref.index];
    case Area::TimerBit:
      return m.timers[ref.index].status() ? 1 : 0;
    case Area::TimerPreset:
      return m.timers[ref.index].preset();
    case Area::TimerValue:
      return m.timers[ref.index].value();
    case Area::CounterBit:
      return m.counters[ref.index].bit ? 1 : 0;
    case Area::CounterPreset:
      return m.counters[ref.index].preset;
    case Area::CounterValue:
      return m.counters[ref.index].value;
    case Area::ProgramActive:
      return m.programs[ref.index].state == ProgramState::Active ? 1 : 0;
    case Area::ProgramStopped:
      return m.programs[ref.index].state == ProgramState::Stopped ? 1 : 0;
    case Area::ProgramStep:
      return m.programs[ref.index].step;
    case Area::ProgramLocal:
      return m.programs[ref.index].locals[ref.bit];
    case Area::InitialFlag:
      return m.initialFlag ? 1 : 0;
    case Area::ErrorBit:
      return m.error != 0 ? 1 : 0;
    case Area::ErrorWord:
      return static_cast<std::uint16_t>(m.error & 0xFFFF);
  }
  return 0;
}

bool WriteOperand(ControllerMemory& m, const OperandRef& ref, std::uint16_t value) {
  const bool on = value != 0;
  switch (ref.area) {
    case Area::InputBit:
    case Area::OutputBit: {
      ForcedWord& word = IoWord(m, ref);
      word.raw = WithBit(word.raw, ref.bit, on);
      return true;
    }
    case Area::InputWord:
    case Area::OutputWord:
      IoWord(m, ref).raw = value;
      return true;
    case Area::FlagBit:
      m.flags[ref.index] = WithBit(m.flags[ref.index], ref.bit, on);
      return true;
    case Area::FlagWord:
      m.flags[ref.index] = value;
      return true;
    case Area::Register:
      m.registers[ref.index] = value;
      return true;
    case Area::FunctionUnit:
      m.functionUnits[ref.index] = value;
      return true;
    case Area::TimerPreset:
      m.timers[ref.index].setPreset(value);
      return true;
    case Area::TimerValue:
      m.timers[ref.index].setValue(value);
      return true;
    case Area::CounterBit:
      m.counters[ref.index].bit = on;
      return true;
    case Area::CounterPreset:
      m.counters[ref.index].preset = value;
      return true;
    case Area::CounterValue:
      m.counters[ref.index].value = value;
      return true;
    case Area::ProgramLocal:
      m.programs[ref.index].locals[ref.bit] = value;
      return true;
    case Area::ErrorWord:
      m.error = static_cast<std::int16_t>(value);
      return true;
    default:
      return false;
  }
}

std::optional<OperandRef> NextOperand(ControllerMemory& m, const OperandRef& ref) {
  OperandRef next = ref;
  ++next.index;
  switch (ref.area) {
    case Area::InputWord:
    case Area::OutputWord:
      if (ref.station == 0) return next.index < kLocalWords ? std::optional(next) : std::nullopt;
      return StationWordExists(m, ref.area, ref.station, next.index) ? std::optional(next)
                                                                     : std::nullopt;
    case Area::FlagWord:
      return next.index < kFlagWords ? std::optional(next) : std::nullopt;
    case Area::Register:
    case Area::FunctionUnit:
    case Area::TimerPreset:
    case Area::TimerValue:
    case Area::CounterPreset:
    case Area::CounterValue:
      return next.index < 256 ? std::optional(next) : std::nullopt;
    default:
      return std::nullopt;
  }
}

ForcedWord* ForceableWord(ControllerMemory& memory, const OperandRef& ref) {
  switch (ref.area) {
    case Area::InputBit:
    case Area::InputWord:
    case Area::OutputBit:
    case Area::OutputWord:
      return &IoWord(memory, ref);
    default:
      return nullptr;
  }
}

}  // namespace zel::kzcsim
