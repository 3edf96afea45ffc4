#include "sim/emulated_controller.h"

#include <cstdio>
#include <stdexcept>

#include "sim/controller_layout.h"
#include "sim/module_image.h"

namespace zel::emu {

namespace {

constexpr std::size_t kSegmentSize = 0x10000;

std::uint16_t StationTableOffset(Fieldbus side) {
  return side == Fieldbus::Inputs ? kInputTableOffset : kOutputTableOffset;
}

std::uint16_t StationsOffset(Fieldbus side) {
  return side == Fieldbus::Inputs ? kInputStationsOffset : kOutputStationsOffset;
}

bool Within(std::uint32_t address, std::uint32_t start, std::size_t size) {
  return address >= start && address - start < size;
}

}  // namespace

EmulatedController::EmulatedController() {
  m_setupError = m_cpu.startError();
  if (m_setupError.empty() && !installHooks()) {
    m_setupError = "The processor emulator refused its hooks.";
  }
}

bool EmulatedController::installHooks() {
  uc_engine* engine = m_cpu.engine();
  uc_hook handle = 0;
  // A begin above the end covers every address.
  return uc_hook_add(engine, &handle, UC_HOOK_CODE, reinterpret_cast<void*>(&onCode), this, 1, 0) ==
             UC_ERR_OK &&
         uc_hook_add(engine, &handle, UC_HOOK_INTR, reinterpret_cast<void*>(&onInterrupt), this, 1,
                     0) == UC_ERR_OK &&
         uc_hook_add(engine, &handle, UC_HOOK_MEM_WRITE, reinterpret_cast<void*>(&onWrite), this, 1,
                     0) == UC_ERR_OK;
}

LoadResult EmulatedController::load(std::span<const std::uint8_t> objectFile) {
  if (!m_setupError.empty()) return {false, m_setupError};
  if (std::optional<std::string> error = CheckModuleImage(objectFile)) return {false, *error};
  m_codeEnd = ImageWord(objectFile, kHeaderCodeEnd);
  m_cpu.fill(Linear(kModuleSegment, 0), kSegmentSize, 0);
  m_cpu.write(Linear(kModuleSegment, 0), objectFile.first(m_codeEnd));
  m_cpu.fill(Linear(kOperandSegment, 0), kOperandAreaSize, 0);
  m_cpu.setWordAt(Linear(kModuleSegment, kHeaderOperandArea), 0);
  m_cpu.setWordAt(Linear(kModuleSegment, kHeaderOperandArea + 2), kOperandSegment);
  layOutRuntime();
  layOutFieldbus();
  m_cpu.forgetTranslatedCode(Linear(kModuleSegment, 0), kSegmentSize);
  m_fu = {};
  m_fi = 0;
  m_calls.clear();
  return {true, {}};
}

// Each entry is a far return removing the entry's argument bytes; the code hook does the
// entry's work before that return runs. The return address holds a jump to itself, which
// is never reached because emulation stops there.
void EmulatedController::layOutRuntime() {
  m_cpu.fill(Linear(kRuntimeSegment, 0), kSegmentSize, 0);
  m_cpu.write(Linear(kRuntimeSegment, kHaltOffset), std::vector<std::uint8_t>{0xEB, 0xFE});
  for (std::size_t i = 0; i < kRuntimeEntries.size(); ++i) {
    const RuntimeEntry& entry = kRuntimeEntries[i];
    const auto stub = static_cast<std::uint16_t>(kFirstStubOffset + i * kStubStride);
    const std::vector<std::uint8_t> bytes =
        entry.removes == 0 ? std::vector<std::uint8_t>{0xCB}
                           : std::vector<std::uint8_t>{0xCA, entry.removes, 0x00};
    m_cpu.write(Linear(kRuntimeSegment, stub), bytes);
    m_cpu.setWordAt(Linear(kModuleSegment, entry.offset), stub);
    m_cpu.setWordAt(Linear(kModuleSegment, entry.offset + 2), kRuntimeSegment);
  }
}

void EmulatedController::layOutFieldbus() {
  m_cpu.fill(Linear(kTableSegment, 0), kSegmentSize, 0);
  m_cpu.fill(Linear(kStationSegment, 0), kSegmentSize, 0);
  for (Fieldbus side : {Fieldbus::Inputs, Fieldbus::Outputs}) {
    const std::uint16_t table = StationTableOffset(side);
    for (int station = 0; station < kStationCount; ++station) {
      const auto block =
          static_cast<std::uint16_t>(StationsOffset(side) + station * kStationStride);
      m_cpu.setWordAt(Linear(kTableSegment, table + station * 4), block);
      m_cpu.setWordAt(Linear(kTableSegment, table + station * 4 + 2), kStationSegment);
    }
    const std::size_t field =
        side == Fieldbus::Inputs ? kHeaderInputStations : kHeaderOutputStations;
    m_cpu.setWordAt(Linear(kModuleSegment, field), table);
    m_cpu.setWordAt(Linear(kModuleSegment, field + 2), kTableSegment);
  }
}

void EmulatedController::pushWord(std::uint16_t value) {
  const auto sp = static_cast<std::uint16_t>(m_cpu.reg(UC_X86_REG_SP) - 2);
  m_cpu.setReg(UC_X86_REG_SP, sp);
  m_cpu.setWordAt(Linear(m_cpu.reg(UC_X86_REG_SS), sp), value);
}

RunResult EmulatedController::run(std::uint16_t arg0, std::uint16_t arg1, std::uint64_t budget) {
  if (!m_setupError.empty() || !loaded()) {
    RunResult refused;
    refused.fault = m_setupError.empty() ? "No module is loaded." : m_setupError;
    return refused;
  }
  m_calls.clear();
  m_fault.reset();
  m_instructions = 0;
  m_budget = budget;
  m_budgetExhausted = false;
  callModule(arg0, arg1);
  const uc_err err = uc_emu_start(m_cpu.engine(), Linear(kModuleSegment, 0),
                                  Linear(kRuntimeSegment, kHaltOffset), 0, 0);
  if (err != UC_ERR_OK && !m_fault) {
    m_fault = std::string("The emulator stopped: ") + uc_strerror(err) + " at " + where() + ".";
  }
  return result();
}

// What the controller's far call leaves: the arguments, then the return address; the
// registers the module must keep hold values the result checks afterwards.
void EmulatedController::callModule(std::uint16_t arg0, std::uint16_t arg1) {
  m_cpu.setReg(UC_X86_REG_SS, kStackSegment);
  m_cpu.setReg(UC_X86_REG_SP, kStackTop);
  pushWord(arg0);
  pushWord(arg1);
  pushWord(kRuntimeSegment);
  pushWord(kHaltOffset);
  for (auto [reg, value] : {std::pair{UC_X86_REG_BP, kCallerBp},
                            {UC_X86_REG_SI, kCallerSi},
                            {UC_X86_REG_DI, kCallerDi},
                            {UC_X86_REG_DS, kCallerDs},
                            {UC_X86_REG_ES, kCallerEs},
                            {UC_X86_REG_AX, kGarbage},
                            {UC_X86_REG_BX, kGarbage},
                            {UC_X86_REG_CX, kGarbage},
                            {UC_X86_REG_DX, kGarbage},
                            {UC_X86_REG_CS, kModuleSegment}}) {
    m_cpu.setReg(reg, value);
  }
}

RunResult EmulatedController::result() const {
  RunResult result;
  const bool atReturn =
      m_cpu.reg(UC_X86_REG_CS) == kRuntimeSegment && m_cpu.reg(UC_X86_REG_IP) == kHaltOffset;
  result.returned = atReturn && !m_fault;
  result.budgetExhausted = m_budgetExhausted;
  result.fault = m_fault.value_or("");
  result.instructions = m_instructions;
  result.stackBalanced = result.returned && m_cpu.reg(UC_X86_REG_SP) == kStackTop &&
                         m_cpu.reg(UC_X86_REG_SS) == kStackSegment;
  result.registersPreserved = result.returned && m_cpu.reg(UC_X86_REG_BP) == kCallerBp &&
                              m_cpu.reg(UC_X86_REG_SI) == kCallerSi &&
                              m_cpu.reg(UC_X86_REG_DI) == kCallerDi &&
                              m_cpu.reg(UC_X86_REG_DS) == kCallerDs;
  result.calls = m_calls;
  return result;
}

void EmulatedController::onCode(uc_engine*, std::uint64_t address, std::uint32_t, void* self) {
  static_cast<EmulatedController*>(self)->code(static_cast<std::uint32_t>(address));
}

void EmulatedController::onInterrupt(uc_engine*, std::uint32_t number, void* self) {
  auto* controller = static_cast<EmulatedController*>(self);
  const std::string what =
      number == 0 ? "Divide fault (interrupt 0)" : "Processor interrupt " + std::to_string(number);
  controller->stop(what + " at " + controller->where() + ".");
}

void EmulatedController::onWrite(uc_engine*, uc_mem_type, std::uint64_t address, int size,
                                 std::int64_t, void* self) {
  auto* controller = static_cast<EmulatedController*>(self);
  for (int i = 0; i < size; ++i) {
    const auto byte = static_cast<std::uint32_t>(address + i);
    if (!controller->writable(byte)) {
      char text[96];
      std::snprintf(text, sizeof text, "at linear address %05X", static_cast<unsigned>(byte));
      controller->stop("The module wrote outside its data " + std::string(text) + " from " +
                       controller->where() + ".");
      return;
    }
  }
}

void EmulatedController::code(std::uint32_t address) {
  if (address == Linear(kRuntimeSegment, kHaltOffset)) {
    uc_emu_stop(m_cpu.engine());
    return;
  }
  if (m_instructions >= m_budget) {
    m_budgetExhausted = true;
    stop("The module did not return within " + std::to_string(m_budget) +
         " instructions (stopped at " + where() + ").");
    return;
  }
  ++m_instructions;
  const std::uint32_t stubs = Linear(kRuntimeSegment, kFirstStubOffset);
  if (Within(address, stubs, kRuntimeEntries.size() * kStubStride) &&
      (address - stubs) % kStubStride == 0) {
    enterRuntime(kRuntimeEntries[(address - stubs) / kStubStride]);
    return;
  }
  if (!Within(address, Linear(kModuleSegment, 0), m_codeEnd)) {
    stop("The processor left the module's code at " + where() + ".");
  }
}

// The module keeps its data in the operand area, the resume and step fields of its
// header, the stack and the fieldbus stations; anything else is a fault of the code.
bool EmulatedController::writable(std::uint32_t address) const {
  if (Within(address, Linear(kOperandSegment, 0), kOperandAreaSize) ||
      Within(address, Linear(kModuleSegment, kHeaderResume),
             kHeaderActiveStep + 2 - kHeaderResume) ||
      Within(address, Linear(kStackSegment, 0), kSegmentSize)) {
    return true;
  }
  for (Fieldbus side : {Fieldbus::Inputs, Fieldbus::Outputs}) {
    const std::uint32_t first = Linear(kStationSegment, StationsOffset(side));
    if (Within(address, first, kStationCount * kStationStride)) {
      return (address - first) % kStationStride < kStationSize;
    }
  }
  return false;
}

void EmulatedController::stop(std::string fault) {
  if (!m_fault) m_fault = std::move(fault);
  uc_emu_stop(m_cpu.engine());
}

std::string EmulatedController::where() const {
  char text[16];
  std::snprintf(text, sizeof text, "%04X:%04X", m_cpu.reg(UC_X86_REG_CS), m_cpu.reg(UC_X86_REG_IP));
  return text;
}

}  // namespace zel::emu
