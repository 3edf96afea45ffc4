// The controller's run-time services as the emulated controller provides them.

#include <cstdio>

#include "sim/controller_layout.h"
#include "sim/emulated_controller.h"

namespace zel::emu {

namespace {

// Carry, parity, adjust, zero, sign and overflow.
constexpr std::uint16_t kStatusFlags = 0x08D5;

std::string Number(std::uint16_t value) {
  return std::to_string(value);
}

}  // namespace

void EmulatedController::enterRuntime(const RuntimeEntry& entry) {
  const std::uint16_t ss = m_cpu.reg(UC_X86_REG_SS);
  const std::uint16_t sp = m_cpu.reg(UC_X86_REG_SP);
  EntryCall call{entry.offset, {}, m_cpu.reg(UC_X86_REG_AX), m_cpu.reg(UC_X86_REG_BX)};
  // Above the far return address, the last argument pushed lies lowest.
  const int count = entry.removes / 2;
  for (int i = count - 1; i >= 0; --i) {
    call.args.push_back(m_cpu.wordAt(Linear(ss, static_cast<std::uint16_t>(sp + 4 + 2 * i))));
  }
  m_calls.push_back(call);
  if (std::optional<std::string> fault = serve(call)) {
    char caller[16];
    std::snprintf(caller, sizeof caller, "%04X:%04X", m_cpu.wordAt(Linear(ss, sp + 2)),
                  m_cpu.wordAt(Linear(ss, sp)));
    stop("Entry " + std::string(entry.name) + " called from " + caller + ": " + *fault + ".");
    return;
  }
  clobberRegisters(entry.offset);
}

std::optional<std::string> EmulatedController::serve(const EntryCall& call) {
  const std::vector<std::uint16_t>& args = call.args;
  switch (call.entry) {
    case kEntryCallCmp:
    case kEntryCallCfm:
      if (args[0] >= kModuleCount) return "module number " + Number(args[0]) + " is not 0..99";
      return std::nullopt;
    case kEntryTimer: {
      if (args[1] >= kTimerCount) return "timer number " + Number(args[1]) + " is not 0..255";
      if (args[0] < kTimerStart || args[0] > kTimerStartOffDelay) {
        return "function code " + Number(args[0]) + " is not 1..4";
      }
      const std::size_t status = kTimerOffset + args[1] * kTimerStride;
      setOperandBit(status, 0x01, args[0] != kTimerReset);
      return std::nullopt;
    }
    case kEntryReadFu:
    case kEntryWriteFu:
      if (args[0] < kFirstEntryFu || args[0] > kLastEntryFu) {
        return "FU number " + Number(args[0]) + " is not 32..38";
      }
      if (call.entry == kEntryReadFu) {
        m_cpu.setReg(UC_X86_REG_AX, m_fu[args[0] - kFirstEntryFu]);
      } else {
        m_fu[args[0] - kFirstEntryFu] = args[1];
      }
      return std::nullopt;
    case kEntryReadFi:
      m_cpu.setReg(UC_X86_REG_AX, m_fi);
      return std::nullopt;
    case kEntryProgramState:
      if (call.bx >= kProgramCount) return "program number " + Number(call.bx) + " is not 0..63";
      setOperandWord(kProgramStateOffset + 2 * call.bx, call.ax);
      return std::nullopt;
    case kEntryReportFaultWord:
      setOperandWord(kFaultWordOffset, args[0]);
      return std::nullopt;
  }
  return "no such entry";
}

void EmulatedController::clobberRegisters(std::uint8_t entry) {
  const bool hasResult = entry == kEntryReadFu || entry == kEntryReadFi;
  if (entry != kEntryProgramState) {
    if (!hasResult) m_cpu.setReg(UC_X86_REG_AX, kGarbage);
    m_cpu.setReg(UC_X86_REG_BX, kGarbage);
    m_cpu.setReg(UC_X86_REG_CX, kGarbage);
    m_cpu.setReg(UC_X86_REG_DX, kGarbage);
  }
  m_cpu.setReg(UC_X86_REG_ES, kGarbage);
  m_cpu.setReg(UC_X86_REG_DI, kGarbage);
  m_cpu.setReg(UC_X86_REG_EFLAGS, m_cpu.reg(UC_X86_REG_EFLAGS) ^ kStatusFlags);
}

}  // namespace zel::emu
