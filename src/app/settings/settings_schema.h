#pragma once
// The controller settings keys as one table. Each key has a name, a type, a range or a
// set of choices, a default per controller type, and the rules by which a typed entry is
// parsed, a whole set of values validated and a value formatted as the project file
// stores it. The file accessors, the dialog and zelc all work through this table, so a
// key reads, refuses and writes the same in every program.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "app/project/controller_type.h"

namespace zel::app {

inline constexpr std::string_view kKeyRunMode = "RUN_MODE";
inline constexpr std::string_view kKeyExternalInput = "EXTERNAL_INPUT";
inline constexpr std::string_view kKeyExternalOutput = "EXTERNAL_OUTPUT";
inline constexpr std::string_view kKeyErrorProgram = "ERROR_PRGM";
inline constexpr std::string_view kKeyDownloadStopPrograms = "DOWNLOAD_STOP_PROGRAMS";
inline constexpr std::string_view kKeyDriveProject = "DRIVE_PROJECT";
inline constexpr std::string_view kKeyDriveStartup = "DRIVE_STARTUP";
inline constexpr std::string_view kKeyDriveKernel = "DRIVE_KERNEL";
inline constexpr std::string_view kKeyKernelComPort = "KERNEL_COM_PORT";
inline constexpr std::string_view kKeyKernelParams = "KERNEL_PARAMS";
inline constexpr std::string_view kKeyPassword = "PASSWORD";
inline constexpr std::string_view kKeyDownloadSources = "DOWNLOAD_SRC";
inline constexpr std::string_view kKeyDownloadNewDrivers = "DOWNLOAD_NEWDRIVERS";

// Bits of "RUN_MODE".
inline constexpr int kRunModeAutostart = 1;
inline constexpr int kRunModeRunStopInput = 2;
inline constexpr int kRunModeResetPrograms = 4;
inline constexpr int kRunModeResetOutputs = 8;
inline constexpr int kRunModeErrorOutput = 16;
inline constexpr int kRunModeAllBits = kRunModeAutostart | kRunModeRunStopInput |
                                       kRunModeResetPrograms | kRunModeResetOutputs |
                                       kRunModeErrorOutput;
inline constexpr int kDefaultRunMode = kRunModeResetPrograms | kRunModeResetOutputs;

inline constexpr std::string_view kDefaultOperand = "0.0";
inline constexpr int kMaxErrorProgram = 63;
inline constexpr int kMaxOperandWord = 255;
inline constexpr int kMaxOperandBit = 15;
inline constexpr std::array<std::string_view, 4> kDriveChoices = {"A", "B", "C", "D"};

inline constexpr std::string_view kMsgInvalidAbsoluteOperand = "Invalid absolute operand!";
// The only text of the "Password" page besides its field.
inline constexpr std::string_view kPasswordLabel =
    "Enter a &password that will be activated when this project is loaded:";

// Every key's value, typed. The member initializers are the defaults that do not depend
// on the controller type; the drives and the port default by type (SettingDefault).
struct ControllerSettingsValues {
  int runMode = kDefaultRunMode;
  std::string externalInput{kDefaultOperand};   // run/stop input "word.bit"
  std::string externalOutput{kDefaultOperand};  // error output "word.bit"
  int errorProgram = 0;
  bool downloadStopPrograms = false;
  std::string driveProject;
  std::string driveStartup;
  std::string driveKernel;
  std::string kernelComPort;
  std::string kernelParams;
  std::string password;
  bool downloadSources = false;
  bool downloadNewDrivers = true;
  bool operator==(const ControllerSettingsValues&) const = default;
};

enum class SettingType {
  RunMode,  // decimal sum of the run-mode bits
  Operand,  // "word.bit"; checked only while its run-mode bit is set
  Integer,  // decimal; its range is checked with the whole set, not on entry
  Flag,     // "1" or "0"
  Drive,    // one of kDriveChoices; fixed for some controller types
  ComPort,  // a controller port; which ones depends on the controller type
  Text,     // anything
};

using SettingField = std::variant<int ControllerSettingsValues::*, bool ControllerSettingsValues::*,
                                  std::string ControllerSettingsValues::*>;

struct SettingKey {
  std::string_view name;
  SettingType type;
  SettingField field;  // where the value lives in ControllerSettingsValues
  // The controller type's default, for the keys whose default depends on it.
  char ControllerTypeInfo::*typeDefault = nullptr;
  int min = 0;  // RunMode, Integer
  int max = 0;
  int runModeBit = 0;             // Operand: the bit that makes it count
  bool sharedByAllTypes = false;  // in section "PROJECT", not "<type>_SETTINGS"
  bool caseMatters = false;       // texts otherwise compare without regard to case
};

// In the order of the dialog's pages.
const std::vector<SettingKey>& SettingsSchema();
// Found without regard to case; nullptr for a name that is no key.
const SettingKey* FindSettingKey(std::string_view name);
// For the names above; any other name is a programming error.
const SettingKey& SchemaKey(std::string_view name);

// The stored form a key has when it is absent or empty in the project file.
std::string SettingDefault(const SettingKey& key, std::string_view controllerType);
// What the lists offer for a Drive or ComPort key; empty for the other types.
std::vector<std::string> SettingChoices(const SettingKey& key, std::string_view controllerType);
// True when the controller type does not let the user change the key.
bool IsSettingFixed(const SettingKey& key, std::string_view controllerType);

// Takes what a user typed for the key into `into`; the refusal when it cannot. A refused
// entry leaves `into` as it was.
std::optional<std::string> ParseSetting(const SettingKey& key, std::string_view text,
                                        std::string_view controllerType,
                                        ControllerSettingsValues& into);
// The value as the project file stores it.
std::string FormatSetting(const SettingKey& key, const ControllerSettingsValues& values);
// Takes the project file's text for the key (empty when absent) into `into`, with the
// default where the text is empty or unreadable.
void ReadStoredSetting(const SettingKey& key, std::string_view stored,
                       std::string_view controllerType, ControllerSettingsValues& into);
// Whether the key's value differs between the two, as writing back decides it.
bool SettingDiffers(const SettingKey& key, const ControllerSettingsValues& before,
                    const ControllerSettingsValues& after);

// "Please enter an integer between 0 and 63." for an Integer key.
std::string SettingRangeMessage(const SettingKey& key);
// "word.bit" with word 0 to 255 and bit 0 to 15.
bool IsValidAbsoluteOperand(std::string_view text);

struct SettingsError {
  std::string_view key;
  std::string message;
};
// The checks a whole set of values must pass before anything is written: the operands
// whose run-mode bit is set, the integers' ranges. The first failure, in schema order.
std::optional<SettingsError> ValidateSettings(const ControllerSettingsValues& values);
// The same, showing the failure to the user; false when there was one.
bool CheckSettings(const ControllerSettingsValues& values);

}  // namespace zel::app
