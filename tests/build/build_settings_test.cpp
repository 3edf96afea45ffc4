// The small decisions of a build: controller directories and drive letters, the run-time
// mode taken from the settings, whether Make compiles a module, and the "DOWNLOAD" values.

#include <gtest/gtest.h>

#include <string>

#include "build/controller_drives.h"
#include "build/download_section.h"
#include "build/make_decision.h"
#include "build/runtime_settings.h"

namespace zel::build {
namespace {

TEST(ControllerDirectory, EndsEveryDriveSettingInABackslash) {
  const struct {
    const char* setting;
    const char* directory;
  } cases[] = {
      {"C", "C:\\"},
      {"c", "c:\\"},
      {"C:", "C:\\"},
      {"C:\\", "C:\\"},
      {"D:\\ZEL", "D:\\ZEL\\"},
      {"", ""},
      {"D:\\ZEL\\", "D:\\ZEL\\"},
  };
  for (const auto& c : cases) EXPECT_EQ(ControllerDirectory(c.setting), c.directory) << c.setting;
}

TEST(UsedDrives, KeepsEachLetterOnceInTheOrderOfFirstUse) {
  UsedDrives drives;
  for (const char* path : {"C:\\", "d:\\PROJECT.RUN", "C:\\", "", "1:\\", "*:\\", "A:\\x", "D"})
    drives.add(path);
  EXPECT_EQ(drives.letters(), "CDA");
}

TEST(ParseOperandBit, TakesWordsUpTo255AndBitsUpTo15) {
  const struct {
    const char* text;
    bool valid;
    int word;
    int bit;
  } cases[] = {
      {"255.15", true, 255, 15}, {"0.0", true, 0, 0},   {"3.16", false, 0, 0},
      {"256.0", false, 0, 0},    {"-1.0", false, 0, 0}, {"3", false, 0, 0},
      {"", false, 0, 0},         {"a.b", false, 0, 0},  {"12.3xyz", true, 12, 3},
      {" 7.2", true, 7, 2},      {"3.-1", false, 0, 0},
  };
  for (const auto& c : cases) {
    const auto operand = ParseOperandBit(c.text);
    ASSERT_EQ(operand.has_value(), c.valid) << c.text;
    if (operand) {
      EXPECT_EQ(operand->word, c.word) << c.text;
      EXPECT_EQ(operand->bit, c.bit) << c.text;
    }
  }
}

TEST(ApplyRunModeSettings, TakesValidOperandsAndReportsTheOthers) {
  struct Case {
    const char* name;
    int runMode;
    const char* input;
    const char* output;
    int errorProgram;
    std::uint8_t flags;
    std::uint16_t runStopWord, runStopMask, errorWord, errorMask;
    std::int16_t program;
    std::string messages;
  };
  const Case cases[] = {
      {"defaults", app::kDefaultRunMode, "0.0", "0.0", 0, kModeResetPrograms | kModeZeroOutputs, 0,
       0, 0, 0, -1, ""},
      {"auto start only", app::kRunModeAutostart, "", "", -5, kModeAutoStart, 0, 0, 0, 0, -1, ""},
      {"run/stop 255.15", app::kRunModeRunStopInput, "255.15", "", 1, kModeRunStopInput, 255,
       0x8000, 0, 0, 1, ""},
      {"run/stop 3.16", app::kRunModeRunStopInput, "3.16", "", 63, 0, 0, 0, 0, 0, 63,
       "ERROR: Invalid Run/Stop Input configured\r\n"},
      {"enabled without operand", app::kRunModeRunStopInput | app::kRunModeErrorOutput, "", "x", 0,
       0, 0, 0, 0, 0, -1,
       "ERROR: Invalid Run/Stop Input configured\r\nERROR: Invalid error output configured\r\n"},
      {"error output 4.3", app::kRunModeErrorOutput, "bad", "4.3", 0, kModeErrorOutput, 0, 0, 4, 8,
       -1, ""},
      {"error program 64", 0, "", "", 64, 0, 0, 0, 0, 0, -1,
       "ERROR: Invalid number for Error Program\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    app::ControllerSettingsValues settings;
    settings.runMode = c.runMode;
    settings.externalInput = c.input;
    settings.externalOutput = c.output;
    settings.errorProgram = c.errorProgram;
    RuntimeMode mode;
    mode.flags = 0xFF & ~kModeProfibus;  // what the settings decide must be cleared too
    TextLog log;
    ApplyRunModeSettings(settings, mode, log);
    EXPECT_EQ(mode.flags & ~(kModeKolvaFieldbus | kModeFieldbusSoftErrors), c.flags);
    EXPECT_EQ(mode.flags & (kModeKolvaFieldbus | kModeFieldbusSoftErrors),
              kModeKolvaFieldbus | kModeFieldbusSoftErrors)
        << "the fieldbus bits belong to the fieldbus driver";
    EXPECT_EQ(mode.runStopWord, c.runStopWord);
    EXPECT_EQ(mode.runStopMask, c.runStopMask);
    EXPECT_EQ(mode.errorOutputWord, c.errorWord);
    EXPECT_EQ(mode.errorOutputMask, c.errorMask);
    EXPECT_EQ(mode.errorProgram, c.program);
    EXPECT_EQ(log.text(), c.messages);
    std::uint32_t lines = 0;
    for (std::size_t at = c.messages.find("ERROR:"); at != std::string::npos;
         at = c.messages.find("ERROR:", at + 1))
      ++lines;
    EXPECT_EQ(log.errors(), lines) << "each message counts one error";
  }
}

TEST(NeedsCompile, MakeAllowsThreeSecondsOfSlack) {
  const struct {
    BuildMode mode;
    ModuleTimes times;
    bool compile;
  } cases[] = {
      {BuildMode::Build, {100, 200, 50}, true},
      {BuildMode::Make, {100, 200, 50}, false},
      {BuildMode::Make, {1002, 1000, 50}, false},  // source 2 s newer
      {BuildMode::Make, {1003, 1000, 50}, true},   // 3 s newer
      {BuildMode::Make, {900, 1000, 1003}, true},  // the allocation list was touched
      {BuildMode::Make, {900, 1000, 1002}, false},
      {BuildMode::Make, {900, 0, 0}, true},  // no object file
      {BuildMode::Make, {0, 0, 0}, false},   // nothing at all: the link reports it
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NeedsCompile(c.mode, c.times), c.compile)
        << c.times.source << " " << c.times.object << " " << c.times.allocationList;
  }
}

TEST(DownloadSection, CountsEachListOnItsOwnAndKeepsKeysInPlace) {
  DownloadSection section;
  section.set("TARGET", "VM1X");
  section.set("AUTOSTART", "0");
  section.add(DownloadList::LinkedModule, "CZ0P00V1.awl");
  section.add(DownloadList::TransferFile, "a");
  section.add(DownloadList::LinkedModule, "CZ0P01V1.awl");
  section.set("autostart", "1");
  section.add(DownloadList::DeleteFile, "*:\\PROJECT.ZIP");
  const platform::ProfileEntries expected = {
      {"TARGET", "VM1X"},
      {"AUTOSTART", "1"},
      {"LINKEDMODULE_0", "CZ0P00V1.awl"},
      {"TRANSFERFILE_0", "a"},
      {"LINKEDMODULE_1", "CZ0P01V1.awl"},
      {"DELETEFILE_0", "*:\\PROJECT.ZIP"},
  };
  EXPECT_EQ(section.entries(), expected);
  section.remove("TRANSFERFILE_0");
  EXPECT_EQ(section.value("TRANSFERFILE_0"), "");
  EXPECT_EQ(section.value("linkedmodule_1"), "CZ0P01V1.awl");
}

TEST(DownloadValues, FollowTheDownloadsFormats) {
  EXPECT_EQ(TransferValue(1234, 1765000000, "C:\\PROJECT.RUN", "/p/Project.RUN"),
            "1234,1765000000,C:\\PROJECT.RUN /p/Project.RUN");
  EXPECT_EQ(TransferModifiedValue(55, "C:\\STARTUP.BAT", "/p/Startup.BAT"),
            "55,C:\\STARTUP.BAT /p/Startup.BAT");
  EXPECT_EQ(CheckFileExistsValue(4000000000, "C:\\", "ZELPCR22.EXE"),
            "4000000000,C:\\ZELPCR22.EXE");
  EXPECT_EQ(CheckFileExistsValue(-1, "C:\\", "K"), "4294967295,C:\\K") << "printed unsigned";
  EXPECT_EQ(AnyDriveName("D:\\PROJECT.RUN"), "*:\\PROJECT.RUN");
  EXPECT_EQ(AnyDriveName(""), "");
}

}  // namespace
}  // namespace zel::build
