#include "build/runtime_settings.h"

#include <cstdio>
#include <string>

namespace zel::build {
namespace {

constexpr std::string_view kInvalidRunStop = "ERROR: Invalid Run/Stop Input configured\r\n";
constexpr std::string_view kInvalidErrorOutput = "ERROR: Invalid error output configured\r\n";
constexpr std::string_view kInvalidErrorProgram = "ERROR: Invalid number for Error Program\r\n";

void SetFlag(RuntimeMode& mode, std::uint8_t flag, bool on) {
  mode.flags = static_cast<std::uint8_t>(on ? (mode.flags | flag) : (mode.flags & ~flag));
}

// The operand of an enabled input or output, or the error and a cleared bit.
void ApplyOperand(bool enabled, std::string_view text, std::uint8_t flag, std::uint16_t& word,
                  std::uint16_t& mask, std::string_view error, RuntimeMode& mode, BuildLog& log) {
  SetFlag(mode, flag, false);
  if (!enabled) return;
  const std::optional<OperandBit> operand = ParseOperandBit(text);
  if (!operand) {
    log.error(error);
    return;
  }
  word = static_cast<std::uint16_t>(operand->word);
  mask = static_cast<std::uint16_t>(1u << operand->bit);
  SetFlag(mode, flag, true);
}

}  // namespace

std::optional<OperandBit> ParseOperandBit(std::string_view text) {
  const std::string copy(text);
  int word = 0;
  int bit = 0;
  if (copy.empty() || std::sscanf(copy.c_str(), "%d.%d", &word, &bit) != 2) return std::nullopt;
  if (word < 0 || word > app::kMaxOperandWord || bit < 0 || bit > app::kMaxOperandBit)
    return std::nullopt;
  return OperandBit{word, bit};
}

void ApplyRunModeSettings(const app::ControllerSettingsValues& settings, RuntimeMode& mode,
                          BuildLog& log) {
  const int runMode = settings.runMode;
  SetFlag(mode, kModeAutoStart, (runMode & app::kRunModeAutostart) != 0);
  SetFlag(mode, kModeResetPrograms, (runMode & app::kRunModeResetPrograms) != 0);
  SetFlag(mode, kModeZeroOutputs, (runMode & app::kRunModeResetOutputs) != 0);
  ApplyOperand((runMode & app::kRunModeRunStopInput) != 0, settings.externalInput,
               kModeRunStopInput, mode.runStopWord, mode.runStopMask, kInvalidRunStop, mode, log);
  ApplyOperand((runMode & app::kRunModeErrorOutput) != 0, settings.externalOutput, kModeErrorOutput,
               mode.errorOutputWord, mode.errorOutputMask, kInvalidErrorOutput, mode, log);
  mode.errorProgram = -1;
  if (settings.errorProgram > app::kMaxErrorProgram) {
    log.error(kInvalidErrorProgram);
  } else if (settings.errorProgram > 0) {
    mode.errorProgram = static_cast<std::int16_t>(settings.errorProgram);
  }
}

}  // namespace zel::build
