// A whole version-3 project converted and compared with the expected files in
// data/expected, then opened and listed the way the other programs do.

#include "tools/orvix/conversion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <sstream>

#include "app/project/project_file.h"
#include "app/project/project_list.h"
#include "app/project/workspace.h"
#include "app/settings/controller_settings.h"
#include "library/driver_config.h"
#include "library/io_configuration.h"
#include "library/io_module_list.h"
#include "orvix/v3_fixture.h"
#include "platform/files.h"
#include "support/temp_dir.h"

namespace zel::orvix {
namespace {

using test::Installation;
using zel::test::ReadFile;
using zel::test::TempDir;

constexpr std::int64_t kNow = 1765000000;
const fs::path kExpected = fs::path(ORVIX_DATA_DIR) / "expected";

std::string Hex(std::string_view bytes) {
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    char byte[4];
    std::snprintf(byte, sizeof byte, "%02X", static_cast<unsigned char>(bytes[i]));
    out += byte;
    out += (i % 16 == 15) ? '\n' : ' ';
  }
  return out;
}

// The creation stamp holds the local time and the user; the rest of the file is fixed.
std::string WithoutStamp(const std::string& text) {
  const auto at = text.find("CREATED=");
  if (at == std::string::npos) return text;
  const auto end = text.find('\r', at);
  return text.substr(0, at) + "CREATED=<stamp>" + text.substr(end);
}

std::set<std::string> Names(const fs::path& dir) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir))
    names.insert(entry.path().filename().string());
  return names;
}

TypeChooser Detected() {
  return [](const V3Project&, app::ControllerType detected) { return detected; };
}

class PlantConversion : public ::testing::Test {
 protected:
  void SetUp() override {
    test::WritePlantProject(in);
    in.writeProjectList({{"PLANT", "Pumpenh\x81tte"}});
  }
  ConversionResult convert() {
    return ConvertProject({in.programDirectory(), in.projectDirectory(), in.v3()},
                          {"PLANT", "Pumpenh\xFCtte"}, Detected(), kNow);
  }

  TempDir tmp;
  Installation in = test::MakeInstallation(tmp.path());
};

TEST_F(PlantConversion, WritesTheExpectedFiles) {
  const ConversionResult result = convert();
  ASSERT_EQ(result.outcome, ConversionOutcome::Converted) << result.message;
  EXPECT_EQ(result.type, "VM1X");

  const fs::path out = in.projectDirectory() / "PLANT";
  std::set<std::string> expected;
  for (std::string name : Names(kExpected / "PLANT")) {
    if (name.ends_with(".hex")) name.resize(name.size() - 4);
    expected.insert(name);
  }
  EXPECT_EQ(Names(out), expected);
  for (const std::string& name : expected) {
    SCOPED_TRACE(name);
    const std::string actual = ReadFile(out / name);
    if (name == "Project.FW4") {
      EXPECT_EQ(WithoutStamp(actual), ReadFile(kExpected / "PLANT" / name));
    } else if (fs::exists(kExpected / "PLANT" / (name + ".hex"))) {
      EXPECT_EQ(Hex(actual), ReadFile(kExpected / "PLANT" / (name + ".hex")));
    } else {
      EXPECT_EQ(actual, ReadFile(kExpected / "PLANT" / name));
    }
  }
  const std::string created = app::ProjectFile(out / "Project.FW4").created();
  EXPECT_TRUE(created.starts_with("Orvix: ")) << created;
  EXPECT_NE(created.find(" by "), std::string::npos) << created;

  EXPECT_EQ(result.notes,
            (std::vector<std::string>{
                "'..\\X'\n\nThis name holds a separator, \"..\" or a control character and is "
                "refused.",
                "'../EVIL.AWL'\n\nThis name holds a separator, \"..\" or a control character "
                "and is refused.",
                "'CZ0P04V1.AWL'\n\nThe module's file is missing; the module is left out.",
            }));
  // Nothing but the project itself is left in the project directory.
  EXPECT_EQ(Names(in.projectDirectory()), std::set<std::string>{"PLANT"});
}

TEST_F(PlantConversion, TheProjectOpensAndListsLikeAnyOther) {
  ASSERT_EQ(convert().outcome, ConversionOutcome::Converted);

  // As "zelc projects" lists them.
  auto workspace = app::Workspace::open(in.programDirectory());
  ASSERT_TRUE(workspace);
  const auto listed =
      workspace->session().listProjects(app::kAllTypesLabel, app::ProjectColumn::Name, false);
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_EQ(listed[0].name, "PLANT");
  EXPECT_EQ(listed[0].comment, "Pumpenh\xFCtte");
  EXPECT_EQ(listed[0].target, "VM1X");

  ASSERT_TRUE(workspace->openForReading("PLANT"));
  const auto& modules = workspace->model().modules();
  ASSERT_EQ(modules.size(), 4u);
  struct Expect {
    std::string_view file;
    app::Language language;
    bool selected;
  };
  const Expect expect[] = {
      {"CZ0P01V1.AWL", app::Language::Stl, true},
      {"CZ0B02V1.KOP", app::Language::Ladder, false},
      {"CZ0F03V1.IMP", app::Language::Imported, true},
      {"CZ0P05V1.awl", app::Language::Stl, false},
  };
  for (std::size_t i = 0; i < modules.size(); ++i) {
    EXPECT_EQ(modules[i].fileName, expect[i].file);
    EXPECT_EQ(modules[i].language, expect[i].language) << expect[i].file;
    EXPECT_EQ(modules[i].selected, expect[i].selected) << expect[i].file;
  }

  const app::ProjectFile file(in.projectDirectory() / "PLANT" / "Project.FW4");
  const app::ControllerSettings settings(file);
  EXPECT_EQ(settings.runMode(), 30);
  EXPECT_EQ(settings.externalInput(), "3.4");
  EXPECT_EQ(settings.errorProgram(), 5);
  EXPECT_TRUE(settings.downloadStopPrograms());
  EXPECT_EQ(settings.driveProject(), "D");
  EXPECT_EQ(settings.kernelComPort(), "2");
  EXPECT_EQ(file.password(), "secret");

  EXPECT_EQ(library::ReadConfiguredDriverNames(file, "VM1X"),
            (std::vector<std::string>{"PROFI", "SERIAL"}));
  const auto modulesOfType = library::LoadIoModules(in.programDirectory(), "VM1X");
  const library::IoConfiguration io(file, "VM1X", modulesOfType);
  const auto raw = io.readRawEntries();
  ASSERT_EQ(raw.size(), 3u);
  EXPECT_NE(modulesOfType.find("DIGIN.IOD"), nullptr);
  EXPECT_EQ(raw[0], "DIGIN.IOD,1,0,0");
}

}  // namespace
}  // namespace zel::orvix
