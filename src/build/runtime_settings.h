#pragma once
// The controller settings as the run-time mode block holds them: auto start, reset
// programs, zero outputs, the run/stop input, the error output and the error program.
// What cannot be taken is reported and left out, so the block never holds a word or bit
// the controller does not have.

#include <optional>
#include <string_view>

#include "app/settings/settings_schema.h"
#include "build/build_log.h"
#include "build/runtime_mode.h"

namespace zel::build {

struct OperandBit {
  int word = 0;  // 0..255
  int bit = 0;   // 0..15
};

// "word.bit" as the settings store it ("%d.%d": trailing text is ignored); nullopt when it
// does not read so or is out of range.
std::optional<OperandBit> ParseOperandBit(std::string_view text);

// Sets the run-mode bits, the run/stop input, the error output and the error program of
// `mode` from `settings`, reporting what is invalid to `log` (each one error).
void ApplyRunModeSettings(const app::ControllerSettingsValues& settings, RuntimeMode& mode,
                          BuildLog& log);

}  // namespace zel::build
