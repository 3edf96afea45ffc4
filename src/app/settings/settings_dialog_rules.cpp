#include "app/settings/settings_dialog_rules.h"

#include "app/modules/module_messages.h"
#include "app/project/controller_type.h"
#include "app/text/field_scanner.h"
#include "platform/message_box.h"

namespace zel::app {

SettingsDialogRules DialogRulesFor(std::string_view type) {
  const auto known = ParseControllerType(type);
  const bool fixedDrives =
      known && (*known == ControllerType::Rud || *known == ControllerType::Rud2 ||
                *known == ControllerType::Vm0x);
  const bool fixedPort = known && (*known == ControllerType::Rud || *known == ControllerType::Rud2);
  const bool noInternalPort =
      known && (*known == ControllerType::Vm1x || *known == ControllerType::Vm2x);
  SettingsDialogRules rules;
  rules.drivesEnabled = !fixedDrives;
  rules.comPortEnabled = !fixedPort;
  if (noInternalPort) {
    rules.comPortChoices = {"1", "2"};
  } else {
    rules.comPortChoices = {"0", "1", "2"};
  }
  return rules;
}

bool IsValidAbsoluteOperand(std::string_view text) {
  FieldScanner scanner(text);
  const auto word = scanner.number();
  if (!word || !scanner.literal('.')) return false;
  const auto bit = scanner.number();
  // Anything after the bit would be silently dropped by the build; refuse it here.
  return bit && scanner.atEnd() && *word >= 0 && *word <= kMaxOperandWord && *bit >= 0 &&
         *bit <= kMaxOperandBit;
}

std::optional<int> ParseErrorProgramEntry(std::string_view text) {
  FieldScanner scanner(text);
  const auto number = scanner.number();
  if (!number || !scanner.atEnd() || !FitsInt(*number)) return std::nullopt;
  return static_cast<int>(*number);
}

std::optional<SettingsError> ValidateRunModePage(const ControllerSettingsValues& edited) {
  if ((edited.runMode & kRunModeRunStopInput) && !IsValidAbsoluteOperand(edited.externalInput)) {
    return SettingsError{SettingsField::RunStopInput, std::string(kMsgInvalidAbsoluteOperand)};
  }
  if ((edited.runMode & kRunModeErrorOutput) && !IsValidAbsoluteOperand(edited.externalOutput)) {
    return SettingsError{SettingsField::ErrorOutput, std::string(kMsgInvalidAbsoluteOperand)};
  }
  if (edited.errorProgram < 0 || edited.errorProgram > kMaxErrorProgram) {
    return SettingsError{SettingsField::ErrorProgram, IntegerRangeMessage(0, kMaxErrorProgram)};
  }
  return std::nullopt;
}

bool CheckRunModePage(const ControllerSettingsValues& edited) {
  const auto error = ValidateRunModePage(edited);
  if (!error) return true;
  platform::ShowMessageBox(error->message, platform::Buttons::Ok, platform::Icon::Warning);
  return false;
}

}  // namespace zel::app
