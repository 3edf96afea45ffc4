#include "tools/kzcsim/controller_memory.h"

namespace zel::kzcsim {

ControllerMemory::ControllerMemory()
    : inputs(kLocalWords),
      outputs(kLocalWords),
      flags(kFlagWords),
      registers(kRegisters),
      functionUnits(kFunctionUnits),
      timers(kTimers),
      counters(kCounters),
      programs(kPrograms) {}

void ControllerMemory::ClearForces() {
  for (auto& word : inputs) word.mask = 0;
  for (auto& word : outputs) word.mask = 0;
  for (auto& slave : slaves) {
    for (auto& word : slave.inputs) word.mask = 0;
    for (auto& word : slave.outputs) word.mask = 0;
  }
}

void ControllerMemory::AdvanceTimers(std::int64_t nowMs) {
  for (auto& timer : timers) timer.Advance(nowMs);
}

FieldbusSlave* ControllerMemory::Slave(unsigned address) {
  for (auto& slave : slaves) {
    if (slave.address == address) return &slave;
  }
  return nullptr;
}

void ControllerMemory::ResetBusOutputs() {
  for (auto& slave : slaves) {
    for (auto& word : slave.outputs) word = ForcedWord{};
  }
}

}  // namespace zel::kzcsim
