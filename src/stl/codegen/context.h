#pragma once
// What the parts of the translator share while one module is translated: the code, the
// usage records, the faults, the open jumps and the fieldbus configuration.

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "stl/codegen/emitter.h"
#include "stl/codegen/operand_access.h"
#include "stl/codegen/translator.h"
#include "stl/codegen/usage.h"
#include "stl/lang/fieldbus_config.h"
#include "stl/lang/module_name.h"

namespace zel::stl::code {

// Fields of the module header that the code reaches through ES:DI.
inline constexpr std::uint8_t kResumeField = 0x1C;
inline constexpr std::uint8_t kSavedResumeField = 0x1E;
inline constexpr std::uint8_t kConditionField = 0x20;
inline constexpr std::uint8_t kActiveStepField = 0x22;
inline constexpr std::uint8_t kInputStationsField = 0x68;
inline constexpr std::uint8_t kOutputStationsField = 0x6C;

// Far entries of the controller's run-time software in the header.
inline constexpr std::uint8_t kEntryCallCmp = 0x24;
inline constexpr std::uint8_t kEntryTimer = 0x28;
inline constexpr std::uint8_t kEntryCallCfm = 0x2C;
inline constexpr std::uint8_t kEntryReadFunction = 0x34;
inline constexpr std::uint8_t kEntryWriteFunction = 0x38;
inline constexpr std::uint8_t kEntryReadFaultInput = 0x3C;
inline constexpr std::uint8_t kEntryProgramState = 0x40;
inline constexpr std::uint8_t kEntryReportFaultWord = 0x44;

struct StationUnit {
  std::uint16_t offset = 0;  // of the unit in the station's data
  bool wordStation = false;
};

struct StepJump {
  std::size_t at = 0;  // the d16 of the jump
  int step = 0;
  int line = 0;
};

class CodeContext {
 public:
  explicit CodeContext(TranslatorSetup setup);

  void fault(int line, std::string text);
  const Node& node(NodeId id) const;
  NodeId child(NodeId id, std::size_t index) const;
  // The line of a node, which every byte emitted from now on is charged to.
  void at(NodeId id) { m_buffer.setLine(node(id).line); }
  int line() const { return m_buffer.line(); }

  Emitter& buffer() { return m_buffer; }
  UsageCollector& usage() { return m_usage; }
  const std::vector<CodeFault>& faults() const { return m_faults; }

  // `26 FF 5D disp` and the restore of ES:DI, `C4 7E FC`.
  void callEntry(std::uint8_t entry);
  void restoreHeader();
  // `E9` with the distance to the epilogue, filled in when the module is finished.
  void jumpToExit();
  void patchExits(std::size_t epilogue);
  // Loads ES:DI with the station's data pointer and records the unit as used.
  StationUnit loadStation(const FieldbusPlace& place);

  void useTree(const SentenceTree* tree) { m_tree = tree; }

  ModuleKind moduleKind = ModuleKind::Program;
  int moduleNumber = -1;
  bool stepProgram = false;
  bool itemsSeen = false;
  std::map<int, std::size_t> steps;     // step number -> position of its entry code
  std::optional<std::size_t> stepOpen;  // entry code of the step being translated
  bool firstStepOpen = false;
  std::vector<StepJump> stepJumps;

 private:
  std::uint8_t stationType(int station);

  Emitter m_buffer;
  UsageCollector m_usage;
  std::vector<CodeFault> m_faults;
  std::vector<std::size_t> m_exitJumps;
  const SentenceTree* m_tree = nullptr;
  TranslatorSetup m_setup;
  std::optional<FieldbusConfig> m_fieldbus;
};

}  // namespace zel::stl::code
