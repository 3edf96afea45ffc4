// The controller settings schema: what each key accepts, how it is stored and read back,
// its defaults per controller type and the checks of a whole set of values.

#include "app/settings/settings_schema.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "support/scripted_answers.h"

namespace zel::app {
namespace {

using test::ScriptedAnswers;
using Values = ControllerSettingsValues;

// What a key's value is after the entry `text`, or the refusal.
struct Entry {
  const char* key;
  const char* type;
  const char* text;
  const char* stored;   // the value formatted afterwards; nullptr: refused
  const char* refusal;  // nullptr: accepted
};

TEST(SettingsSchemaTest, ParseTakesOrRefusesEachType) {
  const Entry cases[] = {
      {"RUN_MODE", "VM1X", "0", "0", nullptr},
      {"RUN_MODE", "VM1X", "31", "31", nullptr},
      {"RUN_MODE", "VM1X", "32", nullptr, "Use a run mode from 0 to 31 (a sum of 1, 2, 4, 8, 16)."},
      {"RUN_MODE", "VM1X", "-1", nullptr, "Use a run mode from 0 to 31 (a sum of 1, 2, 4, 8, 16)."},
      {"RUN_MODE", "VM1X", " 3", nullptr, "Use a run mode from 0 to 31 (a sum of 1, 2, 4, 8, 16)."},
      {"RUN_MODE", "VM1X", "3x", nullptr, "Use a run mode from 0 to 31 (a sum of 1, 2, 4, 8, 16)."},
      // The error program's range is checked with the whole set, not on entry.
      {"ERROR_PRGM", "VM1X", "17", "17", nullptr},
      {"ERROR_PRGM", "VM1X", " 64 ", "64", nullptr},
      {"ERROR_PRGM", "VM1X", "-3", "-3", nullptr},
      {"ERROR_PRGM", "VM1X", "", nullptr, "Please enter an integer."},
      {"ERROR_PRGM", "VM1X", "1a", nullptr, "Please enter an integer."},
      {"ERROR_PRGM", "VM1X", "99999999999", nullptr, "Please enter an integer."},
      {"DOWNLOAD_SRC", "VM1X", "1", "1", nullptr},
      {"DOWNLOAD_NEWDRIVERS", "VM1X", "0", "0", nullptr},
      {"DOWNLOAD_STOP_PROGRAMS", "VM1X", "yes", nullptr, "Use 1 or 0."},
      {"DOWNLOAD_SRC", "VM1X", "", nullptr, "Use 1 or 0."},
      {"DRIVE_PROJECT", "VM1X", "d", "D", nullptr},
      {"DRIVE_KERNEL", "XYZ", "b", "B", nullptr},
      {"DRIVE_STARTUP", "VM2X", "E", nullptr, "Use one of the drives A, B, C or D."},
      {"DRIVE_PROJECT", "RUD", "A", nullptr,
       "The drives of controller type RUD cannot be changed."},
      {"DRIVE_KERNEL", "vm0x", "C", nullptr,
       "The drives of controller type vm0x cannot be changed."},
      {"KERNEL_COM_PORT", "VM0X", "0", "0", nullptr},
      {"KERNEL_COM_PORT", "VM2X", "2", "2", nullptr},
      {"KERNEL_COM_PORT", "VM1X", "0", nullptr, "Use one of the controller COM ports 1, 2."},
      {"KERNEL_COM_PORT", "XYZ", "3", nullptr, "Use one of the controller COM ports 0, 1, 2."},
      {"KERNEL_COM_PORT", "RUD2", "0", nullptr,
       "The controller COM port of controller type RUD2 cannot be changed."},
      // Operands are checked only with the whole set, where their bit is known.
      {"EXTERNAL_INPUT", "VM1X", "12.16", "12.16", nullptr},
      {"KERNEL_PARAMS", "VM1X", "/Q /x", "/Q /x", nullptr},
      {"PASSWORD", "VM1X", "Secret", "Secret", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.key) + " " + c.type + " '" + c.text + "'");
    const SettingKey& key = SchemaKey(c.key);
    Values values;
    const Values before = values;
    const auto refusal = ParseSetting(key, c.text, c.type, values);
    if (c.refusal) {
      EXPECT_EQ(refusal, c.refusal);
      EXPECT_EQ(values, before);
    } else {
      EXPECT_EQ(refusal, std::nullopt);
      EXPECT_EQ(FormatSetting(key, values), c.stored);
    }
  }
}

TEST(SettingsSchemaTest, DefaultsPerControllerType) {
  struct {
    const char* type;
    const char* drives;  // project, start-up, kernel
    const char* port;
  } const cases[] = {
      {"RUD", "BBA", "0"},  {"RUD2", "BBA", "0"}, {"VM0X", "BBA", "0"}, {"VM1X", "CCA", "1"},
      {"vm1x", "CCA", "1"}, {"VM2X", "CCC", "1"}, {"XYZ", "CCC", "1"},  {"", "CCC", "1"},
  };
  const std::pair<const char*, const char*> fixed[] = {
      {"RUN_MODE", "12"},  {"EXTERNAL_INPUT", "0.0"},       {"EXTERNAL_OUTPUT", "0.0"},
      {"ERROR_PRGM", "0"}, {"DOWNLOAD_STOP_PROGRAMS", "0"}, {"KERNEL_PARAMS", ""},
      {"PASSWORD", ""},    {"DOWNLOAD_SRC", "0"},           {"DOWNLOAD_NEWDRIVERS", "1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.type);
    EXPECT_EQ(SettingDefault(SchemaKey(kKeyDriveProject), c.type) +
                  SettingDefault(SchemaKey(kKeyDriveStartup), c.type) +
                  SettingDefault(SchemaKey(kKeyDriveKernel), c.type),
              c.drives);
    EXPECT_EQ(SettingDefault(SchemaKey(kKeyKernelComPort), c.type), c.port);
    for (const auto& [key, value] : fixed) {
      EXPECT_EQ(SettingDefault(SchemaKey(key), c.type), value) << key;
    }
  }
}

TEST(SettingsSchemaTest, StoredTextsReadWithTheirDefaults) {
  struct {
    const char* key;
    const char* stored;
    const char* value;  // formatted after reading, for a VM1X project
  } const cases[] = {
      {"RUN_MODE", "", "12"},
      {"RUN_MODE", "13", "13"},
      {"RUN_MODE", "14abc", "14"},
      {"RUN_MODE", "x", "12"},
      {"RUN_MODE", "99", "99"},  // out of range is kept: only an entry is refused
      {"ERROR_PRGM", "", "0"},
      {"ERROR_PRGM", " 5", "5"},
      {"EXTERNAL_INPUT", "", "0.0"},
      {"EXTERNAL_INPUT", "3.4", "3.4"},
      {"DRIVE_PROJECT", "", "C"},
      {"DRIVE_PROJECT", "e", "e"},
      {"KERNEL_COM_PORT", "", "1"},
      {"KERNEL_PARAMS", "", ""},
      {"PASSWORD", "pw", "pw"},
      // Flags keep their default unless the text starts with another character.
      {"DOWNLOAD_SRC", "", "0"},
      {"DOWNLOAD_SRC", "0", "0"},
      {"DOWNLOAD_SRC", "01", "0"},
      {"DOWNLOAD_SRC", "10", "1"},
      {"DOWNLOAD_SRC", "2", "1"},
      {"DOWNLOAD_SRC", "yes", "1"},
      {"DOWNLOAD_STOP_PROGRAMS", "1", "1"},
      {"DOWNLOAD_NEWDRIVERS", "", "1"},
      {"DOWNLOAD_NEWDRIVERS", "10", "1"},
      {"DOWNLOAD_NEWDRIVERS", "0", "0"},
      {"DOWNLOAD_NEWDRIVERS", "2", "0"},
      {"DOWNLOAD_NEWDRIVERS", "yes", "0"},
  };
  for (const auto& c : cases) {
    const SettingKey& key = SchemaKey(c.key);
    Values values;
    ReadStoredSetting(key, c.stored, "VM1X", values);
    EXPECT_EQ(FormatSetting(key, values), c.value) << c.key << " '" << c.stored << "'";
  }
}

TEST(SettingsSchemaTest, EveryKeyRoundTripsThroughItsStoredForm) {
  Values edited;
  edited.runMode = 31;
  edited.externalInput = "1.2";
  edited.externalOutput = "255.15";
  edited.errorProgram = 63;
  edited.downloadStopPrograms = true;
  edited.driveProject = "D";
  edited.driveStartup = "B";
  edited.driveKernel = "A";
  edited.kernelComPort = "2";
  edited.kernelParams = "/Q";
  edited.password = "pw";
  edited.downloadSources = true;
  edited.downloadNewDrivers = false;
  Values stored;   // every key read from the text the file would hold
  Values entered;  // every key typed as the file would hold it
  for (const auto& key : SettingsSchema()) {
    const std::string text = FormatSetting(key, edited);
    ReadStoredSetting(key, text, "VM2X", stored);
    EXPECT_EQ(ParseSetting(key, text, "VM2X", entered), std::nullopt) << key.name;
  }
  EXPECT_EQ(stored, edited);
  EXPECT_EQ(entered, edited);
  EXPECT_EQ(ValidateSettings(edited), std::nullopt);
}

TEST(SettingsSchemaTest, KeysAreFoundWithoutRegardToCaseInTheDialogsOrder) {
  std::vector<std::string_view> names;
  for (const auto& key : SettingsSchema()) names.push_back(key.name);
  EXPECT_EQ(names, (std::vector<std::string_view>{"RUN_MODE", "EXTERNAL_INPUT", "EXTERNAL_OUTPUT",
                                                  "ERROR_PRGM", "DOWNLOAD_STOP_PROGRAMS",
                                                  "DRIVE_PROJECT", "DRIVE_STARTUP", "DRIVE_KERNEL",
                                                  "KERNEL_COM_PORT", "KERNEL_PARAMS", "PASSWORD",
                                                  "DOWNLOAD_SRC", "DOWNLOAD_NEWDRIVERS"}));
  ASSERT_NE(FindSettingKey("download_src"), nullptr);
  EXPECT_EQ(FindSettingKey("download_src")->name, "DOWNLOAD_SRC");
  EXPECT_EQ(FindSettingKey("DOWNLOAD"), nullptr);
  EXPECT_EQ(FindSettingKey(""), nullptr);
}

TEST(SettingsSchemaTest, ChoicesAndFixedKeysByType) {
  using Ports = std::vector<std::string>;
  struct {
    const char* type;
    bool drivesFixed, portFixed;
    Ports ports;
  } const cases[] = {
      {"RUD", true, true, {"0", "1", "2"}},   {"RUD2", true, true, {"0", "1", "2"}},
      {"VM0X", true, false, {"0", "1", "2"}}, {"VM1X", false, false, {"1", "2"}},
      {"vm2x", false, false, {"1", "2"}},     {"OTHER", false, false, {"0", "1", "2"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.type);
    for (const auto drive : {kKeyDriveProject, kKeyDriveStartup, kKeyDriveKernel}) {
      EXPECT_EQ(IsSettingFixed(SchemaKey(drive), c.type), c.drivesFixed);
      EXPECT_EQ(SettingChoices(SchemaKey(drive), c.type), (Ports{"A", "B", "C", "D"}));
    }
    EXPECT_EQ(IsSettingFixed(SchemaKey(kKeyKernelComPort), c.type), c.portFixed);
    EXPECT_EQ(SettingChoices(SchemaKey(kKeyKernelComPort), c.type), c.ports);
    EXPECT_FALSE(IsSettingFixed(SchemaKey(kKeyRunMode), c.type));
    EXPECT_TRUE(SettingChoices(SchemaKey(kKeyPassword), c.type).empty());
  }
}

TEST(SettingsSchemaTest, TextsDifferIgnoringCaseButThePasswordExactly) {
  struct {
    const char* key;
    const char* before;
    const char* after;
    bool differs;
  } const cases[] = {
      {"DRIVE_PROJECT", "c", "C", false},  {"KERNEL_PARAMS", "/x", "/X", false},
      {"KERNEL_PARAMS", "/x", "/y", true}, {"PASSWORD", "abc", "ABC", true},
      {"PASSWORD", "abc", "abc", false},   {"RUN_MODE", "12", "14", true},
      {"DOWNLOAD_SRC", "0", "1", true},    {"DOWNLOAD_SRC", "1", "1", false},
  };
  for (const auto& c : cases) {
    const SettingKey& key = SchemaKey(c.key);
    Values before;
    Values after;
    ReadStoredSetting(key, c.before, "VM1X", before);
    ReadStoredSetting(key, c.after, "VM1X", after);
    EXPECT_EQ(SettingDiffers(key, before, after), c.differs) << c.key << " " << c.after;
  }
}

TEST(SettingsSchemaTest, AbsoluteOperandsNeedWordAndBitInRange) {
  struct {
    const char* text;
    bool valid;
  } const cases[] = {
      {"255.15", true}, {"0.0", true},   {"12.3", true},   {"12.16", false}, {"256.0", false},
      {"-1.0", false},  {"12", false},   {"12.", false},   {".3", false},    {"", false},
      {"12.3x", false}, {"12,3", false}, {"E12.3", false}, {" 12.3 ", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsValidAbsoluteOperand(c.text), c.valid) << c.text;
  }
}

TEST(SettingsSchemaTest, ValidationChecksOperandsOnlyWhileTheirBitIsSet) {
  Values v;
  v.externalInput = "12.16";
  v.externalOutput = "300.1";
  EXPECT_FALSE(ValidateSettings(v));  // both bits cleared

  v.runMode |= kRunModeRunStopInput;
  auto error = ValidateSettings(v);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->key, "EXTERNAL_INPUT");
  EXPECT_EQ(error->message, "Invalid absolute operand!");

  v.externalInput = "255.15";
  v.runMode |= kRunModeErrorOutput;
  error = ValidateSettings(v);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->key, "EXTERNAL_OUTPUT");

  v.externalOutput = "3.2";
  for (const int program : {-1, 64}) {
    v.errorProgram = program;
    error = ValidateSettings(v);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->key, "ERROR_PRGM");
    EXPECT_EQ(error->message, "Please enter an integer between 0 and 63.");
  }
  v.errorProgram = 63;
  EXPECT_FALSE(ValidateSettings(v));
  // The run mode itself comes from check boxes or a checked entry; a stored value out
  // of range is left as it is.
  v.runMode = 99;
  EXPECT_FALSE(ValidateSettings(v));

  ScriptedAnswers answers;
  v.runMode = kRunModeErrorOutput;
  v.externalOutput = "3.16";
  EXPECT_FALSE(CheckSettings(v));
  EXPECT_EQ(answers.texts(), std::vector<std::string>{"Invalid absolute operand!"});
  EXPECT_EQ(SettingRangeMessage(SchemaKey(kKeyErrorProgram)),
            "Please enter an integer between 0 and 63.");
}

}  // namespace
}  // namespace zel::app
