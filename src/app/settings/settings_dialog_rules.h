#pragma once
// What the controller settings dialog may offer and accept, apart from its widgets: the
// controls each controller type enables, and the checks of the "Run Mode" page.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings/controller_settings.h"

namespace zel::app {

inline constexpr std::string_view kMsgInvalidAbsoluteOperand = "Invalid absolute operand!";
inline constexpr std::string_view kPasswordLabel =
    "Enter a &password that will be activated when this project is loaded:";

inline constexpr std::array<std::string_view, 4> kDriveChoices = {"A", "B", "C", "D"};
inline constexpr int kMaxOperandWord = 255;
inline constexpr int kMaxOperandBit = 15;

struct SettingsDialogRules {
  bool drivesEnabled = true;
  bool comPortEnabled = true;
  std::vector<std::string> comPortChoices;  // "0" internal port, "1", "2"
};

// Drives only for types other than RUD, RUD2 and VM0X; no port choice for RUD and RUD2;
// no internal port for VM1X and VM2X.
SettingsDialogRules DialogRulesFor(std::string_view type);

// "word.bit" with word 0 to 255 and bit 0 to 15.
bool IsValidAbsoluteOperand(std::string_view text);
// An integer entry of the error program field, in any range (the range is checked by
// ValidateRunModePage); nullopt when the entry is no integer.
std::optional<int> ParseErrorProgramEntry(std::string_view text);

enum class SettingsField { RunStopInput, ErrorOutput, ErrorProgram };
struct SettingsError {
  SettingsField field;
  std::string message;
};

// The operands count only while their check box (run mode bit) is set.
std::optional<SettingsError> ValidateRunModePage(const ControllerSettingsValues& edited);
// The page's OK: shows the error and returns false so the page stays open.
bool CheckRunModePage(const ControllerSettingsValues& edited);

}  // namespace zel::app
