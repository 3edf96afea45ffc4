// Make and Build over copies of the demo workspace: the messages, the counts, and what is
// left on the disk, for a good project and for each way a project can be wrong.

#include "build/project_build.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "build/run_file_listing.h"
#include "build_fixture.h"
#include "platform/files.h"
#include "platform/timebase.h"
#include "support/step_gate.h"

namespace zel::build {
namespace {

namespace fs = std::filesystem;
using test::BuildFixture;

constexpr std::int64_t kOld = 1796000000;

bool Contains(const std::string& text, std::string_view part) {
  return text.find(part) != std::string::npos;
}

std::size_t Count(const std::string& text, std::string_view part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
    ++count;
  return count;
}

// What marks a project as built for the download.
bool Built(const BuildFixture& fixture, std::string_view project = "DEMO") {
  return fs::exists(fixture.projectDirectory(project) / "Project.RUN") &&
         !fixture.projectFile(project).read("DOWNLOAD", "MAKE").empty();
}

// A failed build leaves neither a run file (under any name) nor "MAKE".
void ExpectNothingBuilt(const BuildFixture& fixture, std::string_view project = "DEMO") {
  const fs::path dir = fixture.projectDirectory(project);
  EXPECT_FALSE(fs::exists(dir / "Project.RUN"));
  EXPECT_FALSE(fs::exists(dir / "Project.RUN.part"));
  EXPECT_EQ(fixture.projectFile(project).read("DOWNLOAD", "MAKE"), "");
}

std::int64_t ObjectTime(const BuildFixture& fixture, std::string_view module) {
  return platform::FileModTime(fixture.projectDirectory() / (std::string(module) + ".VM1X.OBJ"))
      .value_or(-1);
}

TEST(ProjectBuild, TheDemoBuildsWithoutErrorsOrWarnings) {
  BuildFixture fixture;
  BuildCounts counts{99, 99};
  const std::string text = fixture.build(BuildMode::Build, "DEMO", &counts);
  EXPECT_EQ(counts.errors, 0u) << text;
  EXPECT_EQ(counts.warnings, 0u) << text;
  EXPECT_TRUE(Built(fixture));
  EXPECT_TRUE(Contains(text, "\r\n  0 Error(s) and  0 Warning(s)  for Project  DEMO \r\n"));
  const auto size = platform::FileSize(fixture.projectDirectory() / "Project.RUN");
  ASSERT_TRUE(size);
  EXPECT_TRUE(Contains(
      text, "Project complete, Size " + std::to_string(*size) + " Bytes in Project.RUN File\r\n"));
  EXPECT_TRUE(
      text.starts_with("\r\nZEL Project Build\r\n\r\nProject:  DEMO, VM1X, "
                       "'Bottling line demo'\r\n"));
  // The unselected module is neither compiled nor linked.
  EXPECT_FALSE(Contains(text, "CZ0P03V1"));
  EXPECT_EQ(ObjectTime(fixture, "CZ0P03V1"), -1);
}

TEST(ProjectBuild, MakeCompilesOnlyWhatIsOutOfDate) {
  BuildFixture fixture;
  ASSERT_EQ(fixture.build(BuildMode::Build).find("ERROR"), std::string::npos);
  const char* modules[] = {"CZ0P00V1", "CZ0P01V1", "CZ0P02V1", "CZ0B10V1", "CZ0F20V1"};
  const fs::path dir = fixture.projectDirectory();
  // Sources and allocation list at kOld, object files 10 s later.
  const auto settle = [&] { fixture.settleTimes("DEMO", kOld); };
  const auto compiled = [&](const char* module) {
    return ObjectTime(fixture, module) != kOld + 10;
  };

  struct Step {
    const char* name;
    std::function<void()> change;
    BuildMode mode;
    std::vector<const char*> expected;  // the modules compiled
  };
  const Step steps[] = {
      {"nothing changed", [] {}, BuildMode::Make, {}},
      {"a source 2 s newer",
       [&] { platform::SetFileModTime(dir / "CZ0P01V1.awl", kOld + 12); },
       BuildMode::Make,
       {}},
      {"a source 3 s newer",
       [&] { platform::SetFileModTime(dir / "CZ0P01V1.awl", kOld + 13); },
       BuildMode::Make,
       {"CZ0P01V1"}},
      {"the allocation list touched",
       [&] { platform::SetFileModTime(dir / "C.BEL", kOld + 13); },
       BuildMode::Make,
       {"CZ0P00V1", "CZ0P01V1", "CZ0P02V1", "CZ0B10V1", "CZ0F20V1"}},
      {"an object file removed",
       [&] { fs::remove(dir / "CZ0F20V1.VM1X.OBJ"); },
       BuildMode::Make,
       {"CZ0F20V1"}},
      {"build",
       [] {},
       BuildMode::Build,
       {"CZ0P00V1", "CZ0P01V1", "CZ0P02V1", "CZ0B10V1", "CZ0F20V1"}},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    settle();
    step.change();
    BuildCounts counts;
    const std::string text = fixture.build(step.mode, "DEMO", &counts);
    EXPECT_EQ(counts.errors, 0u) << text;
    EXPECT_TRUE(Built(fixture));
    for (const char* module : modules) {
      const bool expected = std::find(step.expected.begin(), step.expected.end(),
                                      std::string_view(module)) != step.expected.end();
      EXPECT_EQ(compiled(module), expected) << module;
    }
  }
}

// One change of the demo project and what the build must make of it.
struct Edit {
  const char* name;
  std::function<void(BuildFixture&)> change;
  std::vector<std::string> messages;  // each printed (exactly once)
  std::uint32_t errors = 0;
  std::uint32_t warnings = 0;
  bool errorsAtLeast = false;  // the compiler's own count comes on top
  const char* listed = "";     // in the run file's listing, when built
};

void Set(BuildFixture& f, std::string_view section, std::string_view key, std::string_view value) {
  ASSERT_TRUE(f.projectFile().write(section, key, value));
}

std::vector<Edit> Edits() {
  const auto drivers = [](std::vector<std::string> names) {
    return [names](BuildFixture& f) {
      f.projectFile().removeSection("VM1X_DRV");
      for (std::size_t n = 0; n < names.size(); ++n)
        Set(f, "VM1X_DRV", "DRV_" + std::to_string(n), names[n]);
    };
  };
  return {
      {"error program 0 is none",
       [](BuildFixture& f) { Set(f, "VM1X_SETTINGS", "ERROR_PRGM", "0"); },
       {},
       0,
       0,
       false,
       "Run-time Mode:  Auto Start, Reset Programs, Zero Outputs, Kolva Fieldbus,"},
      {"error program 64",
       [](BuildFixture& f) { Set(f, "VM1X_SETTINGS", "ERROR_PRGM", "64"); },
       {"ERROR: Invalid number for Error Program\r\n"},
       1,
       0},
      {"run/stop input 3.16",
       [](BuildFixture& f) {
         Set(f, "VM1X_SETTINGS", "RUN_MODE", "15");
         Set(f, "VM1X_SETTINGS", "EXTERNAL_INPUT", "3.16");
       },
       {"ERROR: Invalid Run/Stop Input configured\r\n"},
       1,
       0},
      {"run/stop input 255.15",
       [](BuildFixture& f) {
         Set(f, "VM1X_SETTINGS", "RUN_MODE", "15");
         Set(f, "VM1X_SETTINGS", "EXTERNAL_INPUT", "255.15");
       },
       {},
       0,
       0,
       false,
       " Run/Stop Input 255.15,"},
      {"error output 9.99",
       [](BuildFixture& f) {
         Set(f, "VM1X_SETTINGS", "RUN_MODE", "29");
         Set(f, "VM1X_SETTINGS", "EXTERNAL_OUTPUT", "9.99");
       },
       {"ERROR: Invalid error output configured\r\n"},
       1,
       0},
      {"eleven drivers",
       drivers({"OPTDEMO", "OPTDEMO", "OPTDEMO", "OPTDEMO", "OPTDEMO", "OPTDEMO", "OPTDEMO",
                "OPTDEMO", "OPTDEMO", "OPTDEMO", "OPTDEMO", "NOTREAD"}),
       {"ERROR: Too many drivers. A maximum number of 10 drivers is possible per project.\r\n"},
       1,
       0},
      {"a driver without script",
       drivers({"OPTDEMO", "MISSING"}),
       {"include driver: MISSING\r\n"},
       1,
       0},
      {"a driver using one not included",
       drivers({"SERIAL"}),
       {"ERROR: Driver FIELDBUS used by driver SERIAL not included into project\r\n"},
       1,
       0},
      {"the error program not selected",
       [](BuildFixture& f) { Set(f, "MODULES", "SRC_2", "CZ0P02V1.awl,0,Error handler"); },
       {"ERROR: Program 2 missing\r\n"},
       1,
       0},
      {"no program P0",
       [](BuildFixture& f) { Set(f, "MODULES", "SRC_0", "CZ0P00V1.awl,0,Main"); },
       {"WARNING: No program P0 in this project\r\n"},
       0,
       1},
      {"an unknown module type",
       [](BuildFixture& f) { Set(f, "MODULES", "SRC_3", "CZ0P03V1.txt,1,text"); },
       {"ERROR: CZ0P03V1.txt is not a known module type\r\n"},
       1,
       0},
      {"an imported module that is missing",
       [](BuildFixture& f) { Set(f, "MODULES", "SRC_3", "CZ0P03V1.IMP,1,imported"); },
       {"ERROR: CZ0P03V1.IMP does not exist.\r\n\r\n"},
       1,
       0},
      {"a ladder module",
       [](BuildFixture& f) { Set(f, "MODULES", "SRC_3", "CZ0P04V1.kop,1,ladder"); },
       {"ERROR: Sorry, Ladder Diagram is not implemented yet\r\nERROR: Compilation failed\r\n",
        "linking  CZ0P04V1.VM1X.OBJ\r\nERROR: The object file of the module cannot be "
        "opened\r\n"},
       2,
       0},
      {"a link error without the error descriptions",
       [](BuildFixture& f) {
         fs::remove(f.programDirectory() / "ErrorLnk.txt");
         Set(f, "MODULES", "SRC_3", "CZ0P04V1.IMP,1,imported");
         f.dir().writeFile("Projects/DEMO/CZ0P04V1.IMP", "imported");
       },
       {"linking  CZ0P04V1.VM1X.OBJ\r\nERROR: Link Error 1 and file 'errorlnk.txt' not "
        "found\r\n"},
       1,
       0},
      {"no kernel file",
       [](BuildFixture& f) { fs::remove(f.programDirectory() / "RUNTIME.VM1X" / "ZELPCR22.EXE"); },
       {"ZELPCR22.EXE not found\r\n"},
       1,
       0},
      {"a file to load that is missing",
       [](BuildFixture& f) { fs::remove(f.projectDirectory() / "SCREENS.BIN"); },
       {"SCREENS.BIN of driver PANEL to be loaded\r\n"},
       1,
       0},
      {"a module that does not compile",
       [](BuildFixture& f) {
         std::string source = f.dir().readFile("Projects/DEMO/CZ0P01V1.awl");
         f.dir().writeFile("Projects/DEMO/CZ0P01V1.awl", source + "\r\nNOT A STATEMENT !!\r\n");
       },
       {"linking  CZ0P01V1.VM1X.OBJ\r\n"},
       2,  // the compile errors, and the object file they left unwritten
       0,
       true},
      {"the fieldbus driver's bus table missing",
       [](BuildFixture& f) { fs::remove(f.programDirectory() / "RUNTIME.VM1X" / "FBUS.BIN"); },
       {"FBUS.BIN to be linked into project file\r\n"},
       1,
       0},
  };
}

TEST(ProjectBuild, EachWrongSettingFailsTheBuildAndLeavesNothingBuilt) {
  for (const Edit& edit : Edits()) {
    SCOPED_TRACE(edit.name);
    BuildFixture fixture;
    edit.change(fixture);
    BuildCounts counts;
    const std::string text = fixture.build(BuildMode::Build, "DEMO", &counts);
    for (const std::string& message : edit.messages)
      EXPECT_EQ(Count(text, message), 1u) << message << "\nin\n" << text;
    if (edit.errorsAtLeast) {
      EXPECT_GE(counts.errors, edit.errors) << text;
    } else {
      EXPECT_EQ(counts.errors, edit.errors) << text;
    }
    EXPECT_EQ(counts.warnings, edit.warnings) << text;
    if (edit.errors == 0) {
      EXPECT_TRUE(Built(fixture)) << text;
      TextLog listing;
      ListRunFile(fixture.projectDirectory(), listing);
      EXPECT_TRUE(Contains(listing.text(), edit.listed)) << listing.text();
    } else {
      ExpectNothingBuilt(fixture);
      EXPECT_FALSE(Contains(text, "Project complete"));
    }
  }
}

TEST(ProjectBuild, AFailedBuildRemovesTheRunFileOfTheLastGoodOne) {
  BuildFixture fixture;
  ASSERT_EQ(fixture.build(BuildMode::Build).find("ERROR"), std::string::npos);
  ASSERT_TRUE(Built(fixture));
  fixture.projectFile().write("VM1X_SETTINGS", "ERROR_PRGM", "64");
  fixture.build(BuildMode::Make);
  ExpectNothingBuilt(fixture);
  // What was written up to the failure stays, so the download sees what it would get.
  EXPECT_EQ(fixture.projectFile().read("DOWNLOAD", "LINKEDMODULE_0"), "CZ0P00V1.awl");
}

// "Project.ZIP" is written only when the project asks for its sources on the controller;
// an archive that cannot be written fails the build and is not listed for the download.
TEST(ProjectBuild, TheSourceArchiveFollowsItsSetting) {
  struct Case {
    const char* label;
    const char* downloadSources;
    bool blockArchive;  // a directory where the archive is written first
    std::uint32_t errors;
    bool archived;
  };
  const Case cases[] = {
      {"asked for", "1", false, 0, true},
      {"not asked for", "0", false, 0, false},
      {"cannot be written", "1", true, 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    BuildFixture fixture;
    fixture.projectFile().write("VM1X_SETTINGS", "DOWNLOAD_SRC", c.downloadSources);
    const fs::path zip = fixture.projectDirectory() / "Project.ZIP";
    // An archive of an earlier build never outlives a build that does not write one.
    ASSERT_TRUE(platform::WriteFileAtomically(zip, "old"));
    if (c.blockArchive) fs::create_directory(fixture.projectDirectory() / "Project.ZIP.part");
    BuildCounts counts;
    const std::string text = fixture.build(BuildMode::Build, "DEMO", &counts);
    EXPECT_EQ(counts.errors, c.errors) << text;
    EXPECT_EQ(Count(text, "ERROR: Could not create Project.ZIP.\r\n"), c.blockArchive ? 1u : 0u)
        << text;
    EXPECT_EQ(fs::exists(zip), c.archived);
    const std::string listed = fixture.projectFile().read("DOWNLOAD", "TRANSFERFILE_1");
    EXPECT_EQ(Contains(listed, "C:\\PROJECT.ZIP "), c.archived) << listed;
    if (c.archived) {
      const auto size = platform::FileSize(zip);
      ASSERT_TRUE(size);
      EXPECT_TRUE(listed.starts_with(std::to_string(*size) + ",")) << listed;
    }
  }
}

TEST(ProjectBuild, ProjectsWithoutProgramsOrScanTables) {
  struct Case {
    const char* name;
    bool modules, io, drivers;
    const char* message;
    std::uint32_t errors, warnings;
  };
  const Case cases[] = {
      {"only drivers", false, false, true,
       "WARNING: Neither IO scan table nor program(s) in this project\r\n", 0, 1},
      {"drivers and IO", false, true, true, "WARNING: No program(s) in this project\r\n", 0, 1},
      {"programs and drivers", true, false, true, "WARNING: No IO scan table in this project\r\n",
       0, 1},
      {"nothing at all", false, false, false,
       "ERROR: Neither IO scan table nor program(s) nor driver(s) in this project\r\n", 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BuildFixture fixture;
    const app::ProjectFile project = fixture.projectFile();
    if (!c.modules) project.removeSection("MODULES");
    if (!c.io) project.removeSection("VM1X_IO");
    if (!c.drivers) project.removeSection("VM1X_DRV");
    // Without modules the error program cannot be there.
    if (!c.modules) project.write("VM1X_SETTINGS", "ERROR_PRGM", "0");
    BuildCounts counts;
    const std::string text = fixture.build(BuildMode::Build, "DEMO", &counts);
    EXPECT_EQ(Count(text, c.message), 1u) << text;
    EXPECT_EQ(counts.errors, c.errors) << text;
    EXPECT_EQ(counts.warnings, c.warnings) << text;
    EXPECT_EQ(Built(fixture), c.errors == 0);
  }
}

TEST(ProjectBuild, TheStartRefusesWhatItCannotBuild) {
  struct Case {
    const char* name;
    const char* project;
    std::function<void(BuildFixture&)> change;
    const char* message;
  };
  const Case cases[] = {
      {"no project open", "", [](BuildFixture&) {}, "ERROR: No project open\r\n"},
      {"a project that is not there", "NOSUCH", [](BuildFixture&) {}, "ERROR: No project open\r\n"},
      {"no controller type", "DEMO",
       [](BuildFixture& f) { f.projectFile().write("PROJECT", "TARGET", ""); },
       "ERROR: Cannot initialise Project Build\r\n"},
      {"Startup.BAT cannot be written", "DEMO",
       [](BuildFixture& f) { fs::create_directory(f.projectDirectory() / "Startup.BAT"); },
       "ERROR: Cannot initialise Project Build\r\n"},
      {"the run file cannot be written", "DEMO",
       [](BuildFixture& f) { fs::create_directory(f.projectDirectory() / "Project.RUN.part"); },
       "ERROR: Could not create project run file\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BuildFixture fixture;
    c.change(fixture);
    test::CollectedText text;
    const auto collect = [&](std::string_view part) { text.append(part); };
    bool forward = false;
    Builder builder(0, BuildOutput{collect, collect, [&] { forward = true; }});
    EXPECT_FALSE(builder.start(fixture.request(BuildMode::Make, c.project)));
    EXPECT_FALSE(builder.running());
    EXPECT_FALSE(IsBuildRunning()) << "a refused start leaves the program free to build";
    EXPECT_EQ(builder.counts().errors, 1u);
    EXPECT_TRUE(forward) << "the message window comes forward";
    const std::string printed = text.take();
    EXPECT_TRUE(printed.starts_with("\r\nZEL Project Make\r\n\r\n")) << printed;
    EXPECT_TRUE(printed.ends_with(c.message)) << printed;
    EXPECT_FALSE(fs::exists(fixture.projectDirectory() / "Project.RUN"));
  }
}

TEST(ProjectBuild, FieldbusSlavesNeedTheFieldbusConfiguration) {
  BuildFixture fixture;
  // A program that reads an input of fieldbus slave 1, which "CR.CFG" configures.
  fixture.dir().writeFile("Projects/DEMO/CZ0P04V1.awl", "wE1.0.0dsA0.0\r\n");
  ASSERT_TRUE(fixture.projectFile().write("MODULES", "SRC_6", "CZ0P04V1.awl,1,fieldbus"));
  BuildCounts counts;
  std::string text = fixture.build(BuildMode::Build, "DEMO", &counts);
  ASSERT_EQ(counts.errors, 0u) << text;
  TextLog listing;
  ListRunFile(fixture.projectDirectory(), listing);
  EXPECT_TRUE(Contains(listing.text(), "Kolva Fieldbus, 6 bytes\r\nSlave = 1, Type = 1,"))
      << listing.text();

  // The object files stay current, but the project lost its configuration.
  fs::remove(fixture.projectDirectory() / "CR.CFG");
  text = fixture.build(BuildMode::Make, "DEMO", &counts);
  EXPECT_FALSE(Contains(text, "compiling"));
  EXPECT_EQ(Count(text, "linking  CZ0P04V1.VM1X.OBJ\r\nERROR: "), 1u) << text;
  EXPECT_EQ(Count(text, "ERROR: Kolva Fieldbus configuration not found\r\n"), 1u) << text;
  EXPECT_EQ(counts.errors, 2u) << text;
  ExpectNothingBuilt(fixture);
}

TEST(ProjectBuild, TheProgramsOwnBuild) {
  BuildFixture fixture;
  ASSERT_TRUE(StartBuild(fixture.request(BuildMode::Build)));
  ASSERT_NE(BuildJob(), nullptr);
  EXPECT_FALSE(StartBuild(fixture.request(BuildMode::Make))) << "one build at a time";
  ASSERT_TRUE(app::PumpUntilDone(*BuildJob(), 60000));
  EXPECT_FALSE(IsBuildRunning());
  EXPECT_EQ(LastBuildCounts().errors, 0u);
  EXPECT_TRUE(Built(fixture));
  ASSERT_TRUE(BuildJob()->outcome());
  EXPECT_EQ(BuildJob()->outcome()->result, app::JobResult::Succeeded);
}

TEST(ProjectBuild, OneBuildAtATimeAndACancelLeavesNothingBuilt) {
  BuildFixture fixture;
  test::CollectedText text;
  const auto collect = [&](std::string_view part) { text.append(part); };
  Builder first(0, BuildOutput{collect, collect, {}});
  zel::test::StepGate gate(2);
  std::vector<std::string> steps;
  first.setStepHook([&](const app::JobProgress& progress) {
    steps.push_back(progress.text);
    gate.atStep(progress.step);
  });
  ASSERT_TRUE(first.start(fixture.request(BuildMode::Build)));
  ASSERT_TRUE(gate.waitUntilReached());
  EXPECT_TRUE(IsBuildRunning());
  Builder second(0, BuildOutput{collect, collect, {}});
  EXPECT_FALSE(second.start(fixture.request(BuildMode::Build)));
  first.cancel();
  gate.release();
  first.wait();
  EXPECT_FALSE(IsBuildRunning());
  ASSERT_TRUE(first.job().outcome());
  EXPECT_EQ(first.job().outcome()->result, app::JobResult::Cancelled);
  const std::vector<std::string> expected = {"Module 1 of 5: CZ0P00V1.awl",
                                             "Module 2 of 5: CZ0P01V1.awl"};
  EXPECT_EQ(steps, expected) << "the build stops before the next module";
  EXPECT_TRUE(Contains(text.take(), "ERROR: Build cancelled\r\n"));
  ExpectNothingBuilt(fixture);
  // The program is free again.
  EXPECT_TRUE(second.start(fixture.request(BuildMode::Make)));
  second.wait();
  EXPECT_EQ(second.counts().errors, 0u);
  EXPECT_TRUE(Built(fixture));
}

}  // namespace
}  // namespace zel::build
