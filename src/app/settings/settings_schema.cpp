#include "app/settings/settings_schema.h"

#include <cassert>
#include <charconv>
#include <initializer_list>

#include "app/modules/module_messages.h"
#include "app/text/field_scanner.h"
#include "platform/message_box.h"
#include "platform/no_case.h"

namespace zel::app {

namespace {

using V = ControllerSettingsValues;
using T = ControllerTypeInfo;

constexpr std::string_view kMsgRunModeRange =
    "Use a run mode from 0 to 31 (a sum of 1, 2, 4, 8, 16).";
constexpr std::string_view kMsgNotAnInteger = "Please enter an integer.";
constexpr std::string_view kMsgNotAFlag = "Use 1 or 0.";
constexpr std::string_view kMsgNotADrive = "Use one of the drives A, B, C or D.";

SettingKey Key(std::string_view name, SettingType type, SettingField field) {
  return SettingKey{name, type, field};
}

SettingKey ByType(std::string_view name, SettingType type, std::string V::*field,
                  char T::*typeDefault) {
  SettingKey key = Key(name, type, field);
  key.typeDefault = typeDefault;
  return key;
}

SettingKey Ranged(std::string_view name, SettingType type, int V::*field, int min, int max) {
  SettingKey key = Key(name, type, field);
  key.min = min;
  key.max = max;
  return key;
}

SettingKey OperandKey(std::string_view name, std::string V::*field, int runModeBit) {
  SettingKey key = Key(name, SettingType::Operand, field);
  key.runModeBit = runModeBit;
  return key;
}

SettingKey PasswordKey() {
  SettingKey key = Key(kKeyPassword, SettingType::Text, &V::password);
  key.sharedByAllTypes = true;
  key.caseMatters = true;
  return key;
}

std::vector<SettingKey> MakeSchema() {
  using enum SettingType;
  return {
      Ranged(kKeyRunMode, RunMode, &V::runMode, 0, kRunModeAllBits),
      OperandKey(kKeyExternalInput, &V::externalInput, kRunModeRunStopInput),
      OperandKey(kKeyExternalOutput, &V::externalOutput, kRunModeErrorOutput),
      Ranged(kKeyErrorProgram, Integer, &V::errorProgram, 0, kMaxErrorProgram),
      Key(kKeyDownloadStopPrograms, Flag, &V::downloadStopPrograms),
      ByType(kKeyDriveProject, Drive, &V::driveProject, &T::driveProject),
      ByType(kKeyDriveStartup, Drive, &V::driveStartup, &T::driveStartup),
      ByType(kKeyDriveKernel, Drive, &V::driveKernel, &T::driveKernel),
      ByType(kKeyKernelComPort, ComPort, &V::kernelComPort, &T::kernelComPort),
      Key(kKeyKernelParams, Text, &V::kernelParams),
      PasswordKey(),
      Key(kKeyDownloadSources, Flag, &V::downloadSources),
      Key(kKeyDownloadNewDrivers, Flag, &V::downloadNewDrivers),
  };
}

bool IsType(std::string_view controllerType, std::initializer_list<ControllerType> types) {
  const auto known = ParseControllerType(controllerType);
  if (!known) return false;
  for (const ControllerType type : types) {
    if (*known == type) return true;
  }
  return false;
}

template <class Member>
Member& Field(const SettingKey& key, V& values) {
  return values.*std::get<Member V::*>(key.field);
}

template <class Member>
const Member& Field(const SettingKey& key, const V& values) {
  return values.*std::get<Member V::*>(key.field);
}

// The whole text as a decimal int, nothing else around it.
std::optional<int> ExactInt(std::string_view text) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// As the dialog's integer field reads it: blanks around the number are allowed.
std::optional<int> IntegerEntry(std::string_view text) {
  FieldScanner scanner(text);
  const auto number = scanner.number();
  if (!number || !scanner.atEnd() || !FitsInt(*number)) return std::nullopt;
  return static_cast<int>(*number);
}

std::string Joined(const std::vector<std::string>& items) {
  std::string text;
  for (const auto& item : items) text += (text.empty() ? "" : ", ") + item;
  return text;
}

std::optional<std::string> FixedRefusal(const SettingKey& key, std::string_view controllerType) {
  const std::string what =
      key.type == SettingType::Drive ? "drives" : std::string("controller COM port");
  return "The " + what + " of controller type " + std::string(controllerType) +
         " cannot be changed.";
}

std::optional<std::string> ParseChoice(const SettingKey& key, std::string_view text,
                                       std::string_view controllerType, V& into) {
  if (IsSettingFixed(key, controllerType)) return FixedRefusal(key, controllerType);
  const auto choices = SettingChoices(key, controllerType);
  for (const auto& choice : choices) {
    if (platform::EqualsNoCase(choice, text)) {
      Field<std::string>(key, into) = choice;
      return std::nullopt;
    }
  }
  if (key.type == SettingType::Drive) return std::string(kMsgNotADrive);
  return "Use one of the controller COM ports " + Joined(choices) + ".";
}

// A flag reads as its default when empty or when it starts with the default's own digit,
// and as the other state otherwise: so "2" switches the sources on but the drivers off.
bool StoredFlag(std::string_view stored, std::string_view defaultText) {
  const bool defaultOn = defaultText == "1";
  if (stored.empty() || stored.front() == defaultText.front()) return defaultOn;
  return !defaultOn;
}

}  // namespace

const std::vector<SettingKey>& SettingsSchema() {
  static const std::vector<SettingKey> schema = MakeSchema();
  return schema;
}

const SettingKey* FindSettingKey(std::string_view name) {
  for (const auto& key : SettingsSchema()) {
    if (platform::EqualsNoCase(key.name, name)) return &key;
  }
  return nullptr;
}

const SettingKey& SchemaKey(std::string_view name) {
  const SettingKey* key = FindSettingKey(name);
  assert(key && "not a controller settings key");
  return key ? *key : SettingsSchema().front();
}

std::string SettingDefault(const SettingKey& key, std::string_view controllerType) {
  if (key.typeDefault) return std::string(1, DefaultsFor(controllerType).*key.typeDefault);
  return FormatSetting(key, V{});
}

std::vector<std::string> SettingChoices(const SettingKey& key, std::string_view controllerType) {
  switch (key.type) {
    case SettingType::Drive:
      return {kDriveChoices.begin(), kDriveChoices.end()};
    case SettingType::ComPort:
      // "0" is the controller's internal port, which these two do not have.
      if (IsType(controllerType, {ControllerType::Vm1x, ControllerType::Vm2x})) return {"1", "2"};
      return {"0", "1", "2"};
    default:
      return {};
  }
}

bool IsSettingFixed(const SettingKey& key, std::string_view controllerType) {
  using enum ControllerType;
  switch (key.type) {
    case SettingType::Drive:
      return IsType(controllerType, {Rud, Rud2, Vm0x});
    case SettingType::ComPort:
      return IsType(controllerType, {Rud, Rud2});
    default:
      return false;
  }
}

std::optional<std::string> ParseSetting(const SettingKey& key, std::string_view text,
                                        std::string_view controllerType, V& into) {
  switch (key.type) {
    case SettingType::RunMode: {
      const auto number = ExactInt(text);
      if (!number || *number < key.min || *number > key.max) return std::string(kMsgRunModeRange);
      Field<int>(key, into) = *number;
      return std::nullopt;
    }
    case SettingType::Integer: {
      const auto number = IntegerEntry(text);
      if (!number) return std::string(kMsgNotAnInteger);
      Field<int>(key, into) = *number;
      return std::nullopt;
    }
    case SettingType::Flag:
      if (text != "1" && text != "0") return std::string(kMsgNotAFlag);
      Field<bool>(key, into) = text == "1";
      return std::nullopt;
    case SettingType::Drive:
    case SettingType::ComPort:
      return ParseChoice(key, text, controllerType, into);
    case SettingType::Operand:
    case SettingType::Text:
      Field<std::string>(key, into) = std::string(text);
      return std::nullopt;
  }
  return std::nullopt;
}

std::string FormatSetting(const SettingKey& key, const V& values) {
  switch (key.type) {
    case SettingType::RunMode:
    case SettingType::Integer:
      return std::to_string(Field<int>(key, values));
    case SettingType::Flag:
      return Field<bool>(key, values) ? "1" : "0";
    default:
      return Field<std::string>(key, values);
  }
}

void ReadStoredSetting(const SettingKey& key, std::string_view stored,
                       std::string_view controllerType, V& into) {
  const std::string defaultText = SettingDefault(key, controllerType);
  switch (key.type) {
    case SettingType::RunMode:
    case SettingType::Integer:
      Field<int>(key, into) = LeadingIntOr(stored, LeadingIntOr(defaultText, 0));
      return;
    case SettingType::Flag:
      Field<bool>(key, into) = StoredFlag(stored, defaultText);
      return;
    default:
      Field<std::string>(key, into) = stored.empty() ? defaultText : std::string(stored);
      return;
  }
}

bool SettingDiffers(const SettingKey& key, const V& before, const V& after) {
  if (std::holds_alternative<int V::*>(key.field))
    return Field<int>(key, before) != Field<int>(key, after);
  if (std::holds_alternative<bool V::*>(key.field))
    return Field<bool>(key, before) != Field<bool>(key, after);
  const std::string& a = Field<std::string>(key, before);
  const std::string& b = Field<std::string>(key, after);
  return key.caseMatters ? a != b : !platform::EqualsNoCase(a, b);
}

std::string SettingRangeMessage(const SettingKey& key) {
  return IntegerRangeMessage(key.min, key.max);
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

std::optional<SettingsError> ValidateSettings(const V& values) {
  for (const auto& key : SettingsSchema()) {
    if (key.type == SettingType::Operand && (values.runMode & key.runModeBit) &&
        !IsValidAbsoluteOperand(Field<std::string>(key, values))) {
      return SettingsError{key.name, std::string(kMsgInvalidAbsoluteOperand)};
    }
    if (key.type == SettingType::Integer) {
      const int number = Field<int>(key, values);
      if (number < key.min || number > key.max)
        return SettingsError{key.name, SettingRangeMessage(key)};
    }
  }
  return std::nullopt;
}

bool CheckSettings(const V& values) {
  const auto error = ValidateSettings(values);
  if (!error) return true;
  platform::ShowMessageBox(error->message, platform::Buttons::Ok, platform::Icon::Warning);
  return false;
}

}  // namespace zel::app
