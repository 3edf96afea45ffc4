// The edge cases of one conversion: refusals, type choice and its defaults, the
// settings files read byte by byte, and failures that must leave nothing behind.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <set>

#include "app/project/project_file.h"
#include "orvix/v3_fixture.h"
#include "platform/profile.h"
#include "support/temp_dir.h"
#include "tools/orvix/conversion.h"
#include "tools/orvix/orvix_messages.h"
#include "tools/orvix/type_files.h"

namespace zel::orvix {
namespace {

using test::Installation;
using test::RunModeRecord;
using zel::test::ReadFile;
using zel::test::TempDir;

constexpr std::int64_t kNow = 1765000000;

std::set<std::string> Names(const fs::path& dir) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir))
    names.insert(entry.path().filename().string());
  return names;
}

TypeChooser Always(std::optional<app::ControllerType> type) {
  return [type](const V3Project&, app::ControllerType) { return type; };
}

TypeChooser Detected() {
  return [](const V3Project&, app::ControllerType detected) { return detected; };
}

class Conversion : public ::testing::Test {
 protected:
  // A version-3 project "P" holding `files`.
  void project(const std::vector<std::pair<std::string, std::string>>& files,
               std::string_view name = "P") {
    fs::create_directories(in.v3Project(name));
    for (const auto& [file, data] : files) in.write(in.v3Project(name) / file, data);
  }
  ConversionResult convert(const TypeChooser& choose = Detected(), std::string_view name = "P") {
    return ConvertProject(setup(), {std::string(name), "comment"}, choose, kNow);
  }
  ConversionSetup setup() const { return {in.programDirectory(), in.projectDirectory(), in.v3()}; }
  std::string key(std::string_view section, std::string_view key, std::string_view name = "P") {
    return platform::ReadProfileString(in.projectDirectory() / std::string(name) / "Project.FW4",
                                       section, key, "<absent>");
  }

  TempDir tmp;
  Installation in = test::MakeInstallation(tmp.path());
};

TEST_F(Conversion, RefusesTheSameDirectoryAnExistingProjectAndAnUncreatableOne) {
  project({{"c.doc", "doc"}});
  // The version-3 projects lie in the new project directory itself.
  const ConversionSetup same{in.programDirectory(), in.v3(), in.v3()};
  ConversionResult result = ConvertProject(same, {"P", ""}, Detected(), kNow);
  EXPECT_EQ(result.outcome, ConversionOutcome::Skipped);
  EXPECT_EQ(result.message, "ZEL 3.x and ZEL 4 Directories cannot be same.");
  EXPECT_EQ(Names(in.v3Project("P")), std::set<std::string>{"c.doc"});

  in.write(in.projectDirectory() / "p" / "mine.txt", "keep");
  result = convert();
  EXPECT_EQ(result.outcome, ConversionOutcome::Skipped);
  EXPECT_EQ(result.message, "Project exists yet.");
  EXPECT_EQ(Names(in.projectDirectory()), std::set<std::string>{"p"});
  EXPECT_EQ(Names(in.projectDirectory() / "p"), std::set<std::string>{"mine.txt"});

  const ConversionSetup nowhere{in.programDirectory(), tmp.path() / "missing" / "deeper", in.v3()};
  result = ConvertProject(nowhere, {"P", ""}, Detected(), kNow);
  EXPECT_EQ(result.outcome, ConversionOutcome::Skipped);
  EXPECT_EQ(result.message, "Cannot create the Project Directory.");
}

TEST_F(Conversion, RefusesNamesThatLeadOutOfTheProjectDirectory) {
  const std::string_view names[] = {"../up", "a/b", "a\\b", "..", "x..y", "tab\tname", ""};
  for (std::string_view name : names) {
    const ConversionResult result = convert(Detected(), name);
    EXPECT_EQ(result.outcome, ConversionOutcome::Skipped) << name;
    EXPECT_EQ(result.message, Format(kMsgUnsafeName, name));
  }
  EXPECT_TRUE(Names(in.projectDirectory()).empty());
  EXPECT_EQ(Names(tmp.path()), (std::set<std::string>{"zel"}));
}

TEST_F(Conversion, AMissingVersion3DirectoryOrACancelledChoiceLeavesNothing) {
  ConversionResult result = convert();
  EXPECT_EQ(result.outcome, ConversionOutcome::Skipped);
  EXPECT_EQ(result.message, Format(kMsgNoV3Project, (in.v3() / "P").string()));

  project({{"c.doc", "doc"}});
  result = convert(Always(std::nullopt));
  EXPECT_EQ(result.outcome, ConversionOutcome::Skipped);
  EXPECT_EQ(result.message, kMsgCancelled);
  EXPECT_TRUE(Names(in.projectDirectory()).empty());
}

TEST_F(Conversion, AFailureHalfWayRemovesTheHalfConvertedProject) {
  // A FIFO cannot be read or copied as a file: the conversion fails at that step.
  const std::string fifos[] = {"c.doc", "CZ0B02V1.KOP", "CZ0P01V1.AWL", "runmode.kzc"};
  for (const std::string& fifo : fifos) {
    SCOPED_TRACE(fifo);
    fs::remove_all(in.v3Project("P"));
    project({{"P.zel", test::ModuleRecordBytes("CZ0B02V1", "KOP", true, "") +
                           test::ModuleRecordBytes("CZ0P01V1", "AWL", true, "")},
             {"zz_last.txt", "copied last"}});
    in.write(in.v3Project("P") / "CZ0B02V1.KOP", "ladder");
    in.write(in.v3Project("P") / "CZ0P01V1.AWL", "NOP");
    fs::remove(in.v3Project("P") / fifo);
    ASSERT_EQ(::mkfifo((in.v3Project("P") / fifo).c_str(), 0600), 0);
    const ConversionResult result = convert();
    EXPECT_EQ(result.outcome, ConversionOutcome::Failed);
    EXPECT_NE(result.message.find((in.v3Project("P") / fifo).string()), std::string::npos)
        << result.message;
    EXPECT_TRUE(Names(in.projectDirectory()).empty());
  }
}

TEST_F(Conversion, DetectsTheTypeFromTheIoConfigurationFile) {
  struct Case {
    std::vector<std::string> files;
    app::ControllerType type;
  };
  const Case cases[] = {
      {{}, app::ControllerType::Vm1x},
      {{"eacfg.vm0"}, app::ControllerType::Vm0x},
      {{"EACFG.RUD"}, app::ControllerType::Rud},
      {{"eacfg.rud", "eacfg.vm0"}, app::ControllerType::Rud},
      {{"eacfg.kzc", "eacfg.rud", "eacfg.vm0"}, app::ControllerType::Vm1x},
  };
  for (const Case& c : cases) {
    fs::remove_all(in.v3Project("P"));
    fs::create_directories(in.v3Project("P"));
    for (const std::string& file : c.files) in.write(in.v3Project("P") / file, "");
    EXPECT_EQ(DetectControllerType(in.v3Project("P")), c.type) << c.files.size();
  }
}

TEST_F(Conversion, TheChosenTypeDecidesFilesSectionsAndDefaults) {
  struct Case {
    app::ControllerType type;
    std::string name;
    std::string port;    // KERNEL_COM_PORT
    std::string drives;  // project, startup, kernel
    std::string io;      // IO_0 from that type's family of files
  };
  const Case cases[] = {
      {app::ControllerType::Rud, "RUD", "0", "BBA", "RUDFILE,0,0,0"},
      {app::ControllerType::Rud2, "RUD2", "0", "BBA", "RUDFILE,0,0,0"},
      {app::ControllerType::Vm0x, "VM0X", "0", "BBA", "VM0FILE,0,0,0"},
      {app::ControllerType::Vm1x, "VM1X", "1", "CCA", "DIGIN.IOD,0,0,0"},
      {app::ControllerType::Vm2x, "VM2X", "1", "CCC", "DIGIN.IOD,0,0,0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(in.projectDirectory() / "P");
    fs::remove_all(in.v3Project("P"));
    project({{"eacfg.kzc", test::IoRecordBytes("DE16", "", "", "")},
             {"eacfg.rud", test::IoRecordBytes("RUDFILE", "", "", "")},
             {"eacfg.vm0", test::IoRecordBytes("VM0FILE", "", "", "")},
             {"P.zel", test::ModuleRecordBytes("CZ0F01V1", "OBJ", false, "imported")},
             {"CZ0F01V1.OBJ", "object"}});
    const ConversionResult result = convert(Always(c.type));
    ASSERT_EQ(result.outcome, ConversionOutcome::Converted) << result.message;
    EXPECT_EQ(key("PROJECT", "TARGET"), c.name);
    const std::string settings = c.name + "_SETTINGS";
    EXPECT_EQ(key(settings, "KERNEL_COM_PORT"), c.port);
    EXPECT_EQ(key(settings, "DRIVE_PROJECT") + key(settings, "DRIVE_STARTUP") +
                  key(settings, "DRIVE_KERNEL"),
              c.drives);
    EXPECT_EQ(key(settings, "RUN_MODE"), "12");
    EXPECT_EQ(key(settings, "DOWNLOAD_SRC"), "0");
    EXPECT_EQ(key(c.name + "_IO", "IO_0"), c.io);
    EXPECT_EQ(key("MODULES", "SRC_0"), "CZ0F01V1.IMP,0,imported");
    EXPECT_EQ(ReadFile(in.projectDirectory() / "P" / ("CZ0F01V1." + c.name + ".OBJ")), "object");
    EXPECT_TRUE(fs::exists(in.projectDirectory() / "P" / "CZ0F01V1.IMP"));
    EXPECT_EQ(
        Names(in.projectDirectory() / "P"),
        (std::set<std::string>{"Project.FW4", "CZ0F01V1.IMP", "CZ0F01V1." + c.name + ".OBJ"}));
  }
}

TEST_F(Conversion, RunModeRecords) {
  struct Case {
    std::vector<std::string> records;
    bool machpre;
    std::string runMode, stopPrograms, input, errorProgram, output;
  };
  const Case cases[] = {
      // All seven read: autostart off, run/stop input and error output on.
      {{"x", "J", "J", "3.4", "5", "J", "7.1"}, true, "30", "1", "3.4", "5", "7.1"},
      // Without machpre.txt the delete-before-download stays off.
      {{"x", "J", "J", "3.4", "5", "J", "7.1"}, false, "30", "0", "3.4", "5", "7.1"},
      // "N" for autostart sets bit 1; inputs not used keep their defaults.
      {{"x", "n", "N", "1.1", "0", "N", "2.2"}, true, "13", "0", "0.0", "0", "0.0"},
      // Fewer than seven records: what was read is written, the mode stays 12.
      {{"x", "J", "J", "3.4"}, true, "12", "1", "3.4", "0", "0.0"},
      {{"x"}, true, "12", "0", "0.0", "0", "0.0"},
      {{}, true, "12", "0", "0.0", "0", "0.0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.records.size());
    fs::remove_all(in.projectDirectory() / "P");
    fs::remove_all(in.v3Project("P"));
    std::string data;
    for (const std::string& record : c.records) data += RunModeRecord(record);
    data += "short";
    std::vector<std::pair<std::string, std::string>> files{{"runmode.kzc", data}};
    if (c.machpre) files.emplace_back("MACHPRE.TXT", "");
    project(files);
    ASSERT_EQ(convert().outcome, ConversionOutcome::Converted);
    EXPECT_EQ(key("VM1X_SETTINGS", "RUN_MODE"), c.runMode);
    EXPECT_EQ(key("VM1X_SETTINGS", "DOWNLOAD_STOP_PROGRAMS"), c.stopPrograms);
    EXPECT_EQ(key("VM1X_SETTINGS", "EXTERNAL_INPUT"), c.input);
    EXPECT_EQ(key("VM1X_SETTINGS", "ERROR_PRGM"), c.errorProgram);
    EXPECT_EQ(key("VM1X_SETTINGS", "EXTERNAL_OUTPUT"), c.output);
    EXPECT_EQ(Names(in.projectDirectory() / "P"), std::set<std::string>{"Project.FW4"});
  }
}

TEST_F(Conversion, DrivePortAndDownloadBytesAreTakenOnlyWhenValid) {
  const auto drives = [](char project, char startup, char kernel, std::size_t size = 30) {
    std::string data(size, ' ');
    if (size > 19) {
      data[1] = project;
      data[7] = startup;
      data[19] = kernel;
    }
    return data;
  };
  struct Case {
    std::string type;
    std::vector<std::pair<std::string, std::string>> files;
    std::string drivesExpected;  // project, startup, kernel
    std::string port;
    std::string downloadSources;
  };
  const Case cases[] = {
      {"VM2X", {{"destdrv.cfg", drives('A', 'B', 'D')}}, "ABD", "1", "0"},
      {"VM2X", {{"destdrv.cfg", drives('a', '\0', '9')}}, "CC9", "1", "0"},
      {"VM2X", {{"destdrv.cfg", drives('A', 'B', 'D', 29)}}, "CCC", "1", "0"},
      {"VM1X", {{"DESTDRV.CFG", drives('D', 'D', 'D', 40)}}, "DDD", "1", "0"},
      {"RUD",
       {{"destdrvr.cfg", drives('C', 'C', 'C')}, {"destdrv.cfg", drives('D', 'D', 'D')}},
       "CCC",
       "0",
       "0"},
      {"VM1X", {{"vm1xcomp.cfg", "2"}}, "CCA", "2", "0"},
      {"VM1X", {{"vm1xcomp.cfg", "\xFF"}}, "CCA", "1", "0"},
      {"VM1X", {{"vm1xcomp.cfg", ""}}, "CCA", "1", "0"},
      {"VM0X", {{"vm0xcomp.cfg", "1x"}, {"rudcomp.cfg", "2"}}, "BBA", "1", "0"},
      {"VM1X", {{"ldsrcyn.cfg", "JNN"}}, "CCA", "1", "1"},
      {"VM1X", {{"ldsrcyn.cfg", "nJJ"}}, "CCA", "1", "0"},
      {"RUD2", {{"ldsrcyn.cfg", "NJN"}}, "BBA", "0", "1"},
      {"VM0X", {{"ldsrcyn.cfg", "JJn"}}, "BBA", "0", "0"},
      {"VM1X", {{"ldsrcyn.cfg", "JJJJ"}}, "CCA", "1", "0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type + " " + c.files[0].first + " " + c.files[0].second);
    fs::remove_all(in.projectDirectory() / "P");
    fs::remove_all(in.v3Project("P"));
    project(c.files);
    ASSERT_EQ(convert(Always(app::ParseControllerType(c.type))).outcome,
              ConversionOutcome::Converted);
    const std::string section = c.type + "_SETTINGS";
    EXPECT_EQ(key(section, "DRIVE_PROJECT") + key(section, "DRIVE_STARTUP") +
                  key(section, "DRIVE_KERNEL"),
              c.drivesExpected);
    EXPECT_EQ(key(section, "KERNEL_COM_PORT"), c.port);
    EXPECT_EQ(key(section, "DOWNLOAD_SRC"), c.downloadSources);
    // Every file of these families was handled, so none is copied.
    EXPECT_EQ(Names(in.projectDirectory() / "P"), std::set<std::string>{"Project.FW4"});
  }
}

TEST_F(Conversion, EntriesAreCountedAsWrittenSoASkippedRecordLeavesNoGap) {
  project({{"P.zel", test::ModuleRecordBytes("", "AWL", true, "empty name") +
                         test::ModuleRecordBytes("CZ0P01V1", "AWL", true, "one") +
                         test::ModuleRecordBytes("CZ\x01P2V1", "AWL", true, "control") +
                         test::ModuleRecordBytes("CZ0P03V1", "DOC", true, "other kind") +
                         test::ModuleRecordBytes("CZ0P04V1", "A/L", true, "separator") +
                         test::ModuleRecordBytes("CZ0P05V1", "AWL", false, "five")},
           {"CZ0P01V1.AWL", "one"},
           {"CZ0P03V1.DOC", "doc"},
           {"CZ0P05V1.AWL", "five"},
           {"drivers.kzc", test::DriverRecord("A/B") + test::DriverRecord("FIRST") +
                               test::DriverRecord("") + test::DriverRecord("SE\x7F") +
                               test::DriverRecord("LAST")},
           {"eacfg.kzc",
            test::IoRecordBytes("", "1", "2", "3") + test::IoRecordBytes("M1", "1", "", "") +
                test::IoRecordBytes("", "", "", "") + test::IoRecordBytes("M2", "", "2", "")}});
  const ConversionResult result = convert();
  ASSERT_EQ(result.outcome, ConversionOutcome::Converted) << result.message;
  EXPECT_EQ(key("MODULES", "SRC_0"), "CZ0P01V1.AWL,1,one");
  EXPECT_EQ(key("MODULES", "SRC_1"), "CZ0P05V1.AWL,0,five");
  EXPECT_EQ(key("MODULES", "SRC_2"), "<absent>");
  EXPECT_EQ(key("VM1X_DRV", "DRV_0"), "FIRST");
  EXPECT_EQ(key("VM1X_DRV", "DRV_1"), "LAST");
  EXPECT_EQ(key("VM1X_DRV", "DRV_2"), "<absent>");
  EXPECT_EQ(key("VM1X_IO", "IO_0"), "M1,1,0,0");
  EXPECT_EQ(key("VM1X_IO", "IO_1"), "M2,0,2,0");
  EXPECT_EQ(key("VM1X_IO", "IO_2"), "<absent>");
  // The refusals are told; an empty driver name is an unused record, and a record of an
  // extension that is no module kind gets no entry either way.
  EXPECT_EQ(result.notes, (std::vector<std::string>{
                              Format(kMsgUnsafeName, "A/B"),
                              Format(kMsgUnsafeName, "SE\x7F"),
                              Format(kMsgUnsafeName, ".AWL"),
                              Format(kMsgUnsafeName, "CZ\x01P2V1.AWL"),
                          }));
  // A record of another kind gets no entry; its file is copied as it is.
  EXPECT_EQ(ReadFile(in.projectDirectory() / "P" / "CZ0P03V1.DOC"), "doc");
}

TEST_F(Conversion, TheFinalCopyNeverReplacesAConvertedFile) {
  project({{"c.doc", "converted\x1A"},
           {"PROJECT.TXT", "old copy"},
           {"project.fw4", "[PROJECT]\r\nTARGET=RUD\r\n"},
           {"c.bel", test::AllocationRecord("E0.0", "S", "c")},
           {"C.BEL.BAK", "backup"},
           {"other.bak", "backup"},
           {"extra.dat", "copied"}});
  const ConversionResult result = convert();
  ASSERT_EQ(result.outcome, ConversionOutcome::Converted) << result.message;
  const fs::path out = in.projectDirectory() / "P";
  EXPECT_EQ(Names(out),
            (std::set<std::string>{"C.bel", "Project.FW4", "Project.txt", "extra.dat"}));
  EXPECT_EQ(ReadFile(out / "Project.txt"), "converted\r\n");
  EXPECT_EQ(key("PROJECT", "TARGET"), "VM1X");
  EXPECT_EQ(result.notes, (std::vector<std::string>{Format(kMsgNameTaken, "project.fw4"),
                                                    Format(kMsgNameTaken, "PROJECT.TXT")}));
}

TEST_F(Conversion, TextsAndPassword) {
  struct Case {
    std::string doc;
    std::string password;
    std::string expectedDoc;
    std::string expectedPassword;
  };
  const Case cases[] = {
      {"a\x1A"
       "b\x1A",
       "pw\nrest",
       "a\x1A"
       "b\r\n",
       "pw"},
      {"no end", "\r\nsecond", "no end", ""},
      {"\x81\x84\x94", std::string(200, 'p'), "\xFC\xE4\xF6", std::string(127, 'p')},
      {"", "", "", ""},
  };
  for (const Case& c : cases) {
    fs::remove_all(in.projectDirectory() / "P");
    fs::remove_all(in.v3Project("P"));
    project({{"C.DOC", c.doc}, {"Password.txt", c.password}});
    ASSERT_EQ(convert().outcome, ConversionOutcome::Converted);
    EXPECT_EQ(ReadFile(in.projectDirectory() / "P" / "Project.txt"), c.expectedDoc);
    EXPECT_EQ(key("PROJECT", "PASSWORD"), c.expectedPassword);
  }
}

TEST_F(Conversion, FindsTheVersion3DirectoryWithoutRegardToCase) {
  project({{"plant.ZEL", test::ModuleRecordBytes("CZ0P01V1", "AWL", true, "x")},
           {"cz0p01v1.awl", "NOP"}},
          "plant");
  const ConversionResult result = ConvertProject(setup(), {"PLANT", "c"}, Detected(), kNow);
  ASSERT_EQ(result.outcome, ConversionOutcome::Converted) << result.message;
  EXPECT_EQ(Names(in.projectDirectory()), std::set<std::string>{"PLANT"});
  EXPECT_EQ(key("MODULES", "SRC_0", "PLANT"), "CZ0P01V1.AWL,1,x");
  EXPECT_EQ(ReadFile(in.projectDirectory() / "PLANT" / "CZ0P01V1.AWL"), "NOP");
}

}  // namespace
}  // namespace zel::orvix

namespace zel::orvix {
namespace {

TEST_F(Conversion, ReportsEachStepAndStopsCleanlyWhenCancelled) {
  project({{"c.doc", "doc"}, {"other.txt", "copied"}});
  std::vector<std::string> steps;
  ConversionHooks hooks;
  hooks.progress = [&](std::string_view step, int number, int total) {
    EXPECT_EQ(number, static_cast<int>(steps.size()) + 1);
    EXPECT_EQ(total, 16);
    steps.emplace_back(step);
  };
  ASSERT_EQ(ConvertProject(setup(), {"P", ""}, Detected(), kNow, hooks).outcome,
            ConversionOutcome::Converted);
  ASSERT_EQ(steps.size(), 16u);
  EXPECT_EQ(steps.front(), "Project");
  EXPECT_EQ(steps[3], "Controller type");
  EXPECT_EQ(steps[14], "Remaining files");
  EXPECT_EQ(steps.back(), "Project file");

  for (std::size_t cancelAt : {0u, 1u, 9u, 15u}) {
    SCOPED_TRACE(cancelAt);
    fs::remove_all(in.projectDirectory() / "P");
    std::size_t asked = 0;
    hooks.progress = nullptr;
    hooks.cancelRequested = [&] { return asked++ >= cancelAt; };
    const ConversionResult result = ConvertProject(setup(), {"P", ""}, Detected(), kNow, hooks);
    EXPECT_EQ(result.outcome, ConversionOutcome::Skipped);
    EXPECT_EQ(result.message, kMsgCancelled);
    EXPECT_TRUE(Names(in.projectDirectory()).empty());
  }
}

TEST_F(Conversion, CheckProjectSaysWhatWouldSkipAProjectBeforeAnythingIsWritten) {
  project({{"c.doc", "doc"}});
  EXPECT_EQ(CheckProject(setup(), {"P", ""}), std::nullopt);
  EXPECT_EQ(CheckProject(setup(), {"NONE", ""}),
            Format(kMsgNoV3Project, (in.v3() / "NONE").string()));
  EXPECT_EQ(CheckProject(setup(), {"../P", ""}), Format(kMsgUnsafeName, "../P"));
  fs::create_directories(in.projectDirectory() / "P");
  EXPECT_EQ(CheckProject(setup(), {"P", ""}), std::string(kMsgProjectExists));
  EXPECT_EQ(Names(in.projectDirectory()), std::set<std::string>{"P"});
}

}  // namespace
}  // namespace zel::orvix
