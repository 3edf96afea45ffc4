#include "library/driver_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/project/project_model.h"
#include "library/project_scripts.h"
#include "library/runtime_folder.h"
#include "support/temp_dir.h"

namespace zel::library {
namespace {

TEST(RuntimeFolder, IsFoundWithoutRegardToCase) {
  test::TempDir dir;
  dir.writeFile("runtime.vm1x/Fieldbus.DMK", "[DRIVER]\n");
  EXPECT_EQ(RuntimeDirectory(dir.path(), "VM1X"), dir / "runtime.vm1x");
  EXPECT_EQ(DriverScriptPath(dir.path(), "vm1x", "FIELDBUS"), dir / "runtime.vm1x/Fieldbus.DMK");
  // A folder not there yet is named as it will be made.
  EXPECT_EQ(RuntimeDirectory(dir.path(), "vm2x"), dir / "RUNTIME.VM2X");
  EXPECT_EQ(RuntimeFilePath(dir.path(), "VM2X", "a.o"), dir / "RUNTIME.VM2X/a.o");
}

TEST(TargetSupports, MatchesWholeTypeNamesOnly) {
  struct Case {
    const char* targets;
    const char* type;
    bool supported;
  };
  const std::vector<Case> cases = {
      {"VM1X,VM2X", "VM2X", true}, {"VM1X,VM2X", "VM0X", false}, {"RUD2,VM0X", "RUD", false},
      {"RUD2,VM0X", "rud2", true}, {"RUD, VM0X", "VM0X", true},  {"RUD VM0X", "RUD", true},
      {"", "RUD", false},          {"RUD", "", false},           {"VM1XX", "VM1X", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TargetSupports(c.targets, c.type), c.supported) << c.targets << " / " << c.type;
  }
}

TEST(DriverList, ReadsEveryScriptOfTheTypeWithDefaultsForMissingKeys) {
  test::TempDir dir;
  dir.writeFile("RUNTIME.VM1X/serial.dmk",
                "[DRIVER]\r\nNAME_GB=Serial protocol\r\nDRIVERNO=3\r\nUSESDRIVER=FIELDBUS\r\n");
  dir.writeFile("RUNTIME.VM1X/bare.dmk", "[INSTALL]\r\n");
  dir.writeFile("RUNTIME.VM1X/module.iod", ";$NE x\r\n");
  dir.writeFile("RUNTIME.VM2X/other.dmk", "[DRIVER]\r\nDRIVERNO=1\r\n");
  DriverList list;
  list.load(dir.path(), "vm1x");
  ASSERT_EQ(list.count(), 2u);
  EXPECT_EQ(list.at(0).name, "BARE");
  EXPECT_EQ(list.at(0).number, -1);
  EXPECT_EQ(list.at(0).uses, "-");
  EXPECT_EQ(list.at(0).description, "???");
  const DriverInfo* serial = list.find("Serial");
  ASSERT_NE(serial, nullptr);
  EXPECT_EQ(serial->number, 3);
  EXPECT_EQ(serial->uses, "FIELDBUS");
  EXPECT_EQ(serial->description, "Serial protocol");
  EXPECT_EQ(list.find("OTHER"), nullptr);
}

TEST(DriverList, DescriptionIsCutAt255Characters) {
  test::TempDir dir;
  dir.writeFile("RUNTIME.RUD/long.dmk", "[DRIVER]\nNAME_GB=" + std::string(300, 'd') + "\n");
  DriverList list;
  list.load(dir.path(), "RUD");
  ASSERT_EQ(list.count(), 1u);
  EXPECT_EQ(list.at(0).description, std::string(255, 'd'));
}

TEST(ProjectScripts, DriversAndIoModulesFollowTheOpenProject) {
  test::TempDir dir;
  dir.writeFile("RUNTIME.VM1X/a.dmk", "[DRIVER]\nDRIVERNO=0\n");
  dir.writeFile("RUNTIME.VM2X/b.dmk", "[DRIVER]\nDRIVERNO=0\n");
  dir.writeFile("RUNTIME.VM2X/c.dmk", "[DRIVER]\nDRIVERNO=1\n");
  dir.writeFile("RUNTIME.VM2X/m.iod", ";$NE M\n;$EA 2 2 1 1 $300\n");
  dir.writeFile("Projects/P1/Project.FW4", "[PROJECT]\r\nTARGET=VM1X\r\n");
  dir.writeFile("Projects/P2/Project.FW4", "[PROJECT]\r\nTARGET=VM2X\r\n");
  app::ProjectModel model;
  model.open("P1", dir / "Projects", app::ExclusionFile{});
  ProjectScripts scripts(model, dir.path());
  EXPECT_EQ(scripts.drivers().count(), 1u);  // loaded at once for the open project
  EXPECT_EQ(scripts.ioModules().count(), 0u);
  model.open("P2", dir / "Projects", app::ExclusionFile{});
  EXPECT_EQ(scripts.drivers().count(), 2u);
  ASSERT_EQ(scripts.ioModules().count(), 1u);
  EXPECT_EQ(scripts.ioModules().at(0).fileName, "M.IOD");
  dir.writeFile("RUNTIME.VM2X/n.iod", ";$NE N\n;$EA 2 2 1 1 $300\n");
  scripts.reload();
  EXPECT_EQ(scripts.ioModules().count(), 2u);
  model.close();
  EXPECT_EQ(scripts.drivers().count(), 0u);
  EXPECT_EQ(scripts.ioModules().count(), 0u);
}

}  // namespace
}  // namespace zel::library
