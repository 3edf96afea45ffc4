#pragma once
// A controller on an emulated processor for compiled modules: it loads a module file,
// fills the module header the way the controller's loader does (operand area, run-time
// entries, fieldbus station tables), and calls the module cycle after cycle. Every call of
// a run-time entry is recorded, and the entries behave like the controller's own services.
//
// The entries leave 0xDEAD in ES, DI and in AX, BX, CX, DX (except a result in AX, and
// except the program state entry, whose caller restores AX and BX itself) and turn the
// status flags over, so code that wrongly relies on a register surviving a call fails.
// The module may write only its operand area, the resume and step fields of its header,
// the stack and the fieldbus stations; any other write stops the run with a fault.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "sim/operand_area.h"
#include "sim/real_mode_cpu.h"
#include "sim/runtime_entry.h"

namespace zel::emu {

enum class Fieldbus { Inputs, Outputs };

inline constexpr int kStationCount = 100;
inline constexpr std::size_t kStationSize = 64;

struct EntryCall {
  std::uint8_t entry = 0;           // header offset of the entry's far pointer, e.g. 0x34
  std::vector<std::uint16_t> args;  // in the order they were pushed
  std::uint16_t ax = 0;             // at entry
  std::uint16_t bx = 0;
  bool operator==(const EntryCall&) const = default;
};

struct LoadResult {
  bool ok = false;
  std::string error;
};

struct RunResult {
  bool returned = false;         // came back to the controller's return address
  bool budgetExhausted = false;  // stopped after the instruction budget: a hang
  std::string fault;             // empty when the run had none
  std::uint64_t instructions = 0;
  bool stackBalanced = false;       // SP after the return is SP before the arguments
  bool registersPreserved = false;  // BP, SI, DI and DS as before the call
  std::vector<EntryCall> calls;
};

class EmulatedController {
 public:
  static constexpr std::uint64_t kDefaultBudget = 2'000'000;

  EmulatedController();
  EmulatedController(const EmulatedController&) = delete;
  EmulatedController& operator=(const EmulatedController&) = delete;

  // Replaces the loaded module; the operand area, stations and FU values start at zero.
  LoadResult load(std::span<const std::uint8_t> objectFile);
  bool loaded() const { return m_codeEnd != 0; }

  // One cycle: pushes the two argument words (first one first) and calls CS:0.
  RunResult run(std::uint16_t arg0 = 0, std::uint16_t arg1 = 0,
                std::uint64_t budget = kDefaultBudget);

  // Accessors; an offset outside the area or header throws std::out_of_range, which is a
  // mistake of the calling test, not of the module.
  std::uint8_t operandByte(std::size_t offset) const;
  void setOperandByte(std::size_t offset, std::uint8_t value);
  std::uint16_t operandWord(std::size_t offset) const;
  void setOperandWord(std::size_t offset, std::uint16_t value);
  bool operandBit(std::size_t offset, std::uint8_t mask) const;
  void setOperandBit(std::size_t offset, std::uint8_t mask, bool value);

  std::uint16_t headerWord(std::size_t offset) const;
  void setHeaderWord(std::size_t offset, std::uint16_t value);

  // FU 32..38, which the controller keeps for entries 0x34 / 0x38.
  std::uint16_t fuValue(int number) const;
  void setFuValue(int number, std::uint16_t value);
  void setFiValue(std::uint16_t value) { m_fi = value; }

  std::uint8_t stationByte(Fieldbus side, int station, std::size_t offset) const;
  void setStationByte(Fieldbus side, int station, std::size_t offset, std::uint8_t value);
  std::uint16_t stationWord(Fieldbus side, int station, std::size_t offset) const;
  void setStationWord(Fieldbus side, int station, std::size_t offset, std::uint16_t value);

  // The entry calls of the last run.
  const std::vector<EntryCall>& calls() const { return m_calls; }

 private:
  static void onCode(uc_engine* engine, std::uint64_t address, std::uint32_t size, void* self);
  static void onInterrupt(uc_engine* engine, std::uint32_t number, void* self);
  static void onWrite(uc_engine* engine, uc_mem_type type, std::uint64_t address, int size,
                      std::int64_t value, void* self);

  bool installHooks();
  void layOutRuntime();
  void layOutFieldbus();
  void code(std::uint32_t address);
  void enterRuntime(const RuntimeEntry& entry);
  std::optional<std::string> serve(const EntryCall& call);
  void clobberRegisters(std::uint8_t entry);
  bool writable(std::uint32_t address) const;
  void stop(std::string fault);
  std::string where() const;
  void pushWord(std::uint16_t value);
  void callModule(std::uint16_t arg0, std::uint16_t arg1);
  RunResult result() const;
  std::uint32_t operandLinear(std::size_t offset, std::size_t width) const;
  std::uint32_t stationLinear(Fieldbus side, int station, std::size_t offset,
                              std::size_t width) const;
  std::size_t fuIndex(int number) const;

  RealModeCpu m_cpu;
  std::string m_setupError;   // why the engine cannot run, empty when it can
  std::size_t m_codeEnd = 0;  // header + code bytes of the loaded module; 0 before a load
  std::array<std::uint16_t, kEntryFuCount> m_fu{};
  std::uint16_t m_fi = 0;
  std::vector<EntryCall> m_calls;
  std::optional<std::string> m_fault;
  std::uint64_t m_instructions = 0;
  std::uint64_t m_budget = 0;
  bool m_budgetExhausted = false;
};

}  // namespace zel::emu
