#include "build/driver_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "build/driver_files.h"
#include "platform/files.h"
#include "support/temp_dir.h"

namespace zel::build {
namespace {

class DriverTableTest : public ::testing::Test {
 protected:
  DriverTableTest() {
    m_context = {m_dir / "zel", "VM1X", m_dir / "projects", "P1",
                 m_dir / "projects" / "P1" / "Project.FW4"};
  }

  void script(const std::string& name, const std::string& text) {
    m_dir.writeFile("zel/RUNTIME.VM1X/" + name + ".DMK", text);
  }

  std::string names(const std::vector<DriverEntry>& drivers) {
    std::string text;
    for (const DriverEntry& d : drivers) text += d.name + " ";
    return text;
  }

  test::TempDir m_dir;
  DriverContext m_context;
  RuntimeMode m_mode;
  TextLog m_log;
};

TEST_F(DriverTableTest, TheProjectsDriversAreIncludedAndSorted) {
  m_dir.writeFile("projects/P1/Project.FW4",
                  "[VM1X_DRV]\r\nDRV_0=APP\r\nDRV_1=GONE\r\nDRV_2=NET\r\nDRV_4=LATE\r\n");
  script("APP", "[DRIVER]\r\nDRIVERNO=5\r\nUSESDRIVER=NET\r\n");
  script("NET", "[DRIVER]\r\nDRIVERNO=2\r\n");
  const std::vector<std::string> listed = ReadDriverNames(m_context);
  EXPECT_EQ(listed, (std::vector<std::string>{"APP", "GONE", "NET"}));
  const auto drivers = IncludeDrivers(listed, m_context, m_mode, m_log);
  EXPECT_EQ(names(drivers), "NET APP ");
  EXPECT_EQ(drivers[1].usedNumbers, (std::vector<int>{2}));
  const std::string gone = (m_dir / "zel" / "RUNTIME.VM1X" / "GONE.dmk").string();
  EXPECT_EQ(m_log.text(),
            "include driver: APP\r\ninclude driver: GONE\r\n"
            "ERROR: Driver script not found [" +
                gone +
                "]\r\n"
                "include driver: NET\r\nsorting used Drivers\r\n");
  EXPECT_EQ(m_log.errors(), 1u);
}

TEST_F(DriverTableTest, AnEleventhDriverIsOneErrorAndEndsTheWalk) {
  std::vector<std::string> listed;
  for (int n = 0; n < 12; ++n) {
    listed.push_back("D" + std::to_string(n));
    script(listed.back(), "[DRIVER]\r\nDRIVERNO=" + std::to_string(n + 1) + "\r\n");
  }
  const auto drivers = IncludeDrivers(listed, m_context, m_mode, m_log);
  EXPECT_EQ(drivers.size(), kMaxDrivers);
  EXPECT_EQ(m_log.errors(), 1u);
  EXPECT_NE(m_log.text().find("include driver: D9\r\nERROR: Too many drivers. A maximum number "
                              "of 10 drivers is possible per project.\r\nsorting used Drivers\r\n"),
            std::string::npos)
      << m_log.text();
  EXPECT_EQ(m_log.text().find("D10"), std::string::npos);

  TextLog none;
  EXPECT_TRUE(IncludeDrivers({}, m_context, m_mode, none).empty());
  EXPECT_EQ(none.text(), "");
}

TEST_F(DriverTableTest, FilesToLoadAreFoundWithEitherSeparatorOrAreAnError) {
  m_dir.writeFile("zel/RUNTIME.VM1X/sub/Drv.exe", "12345");
  ASSERT_TRUE(platform::SetFileModTime(m_dir / "zel/RUNTIME.VM1X/sub/Drv.exe", 1000000));
  DriverEntry driver;
  driver.name = "SER";
  const std::string runtime = (m_dir / "zel" / "RUNTIME.VM1X").string();
  driver.filesToLoad = {{"C:\\DRV.EXE", runtime + "/sub\\DRV.EXE"},
                        {"D:\\X.BIN", runtime + "/missing.bin"},
                        {"E:\\SUB", runtime + "/sub"}};
  const std::vector<LoadFile> files = CollectFilesToLoad({driver}, m_log);
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(files[0].remote, "C:\\DRV.EXE");
  EXPECT_EQ(files[0].local, m_dir / "zel/RUNTIME.VM1X/sub/Drv.exe");
  EXPECT_EQ(files[0].size, 5u);
  EXPECT_EQ(files[0].time, 1000000);
  EXPECT_EQ(m_log.text(), "ERROR: Cannot find file " + runtime +
                              "/missing.bin of driver SER to be loaded\r\n"
                              "ERROR: Cannot find file " +
                              runtime + "/sub of driver SER to be loaded\r\n");
  EXPECT_EQ(m_log.errors(), 2u);
  EXPECT_EQ(FindDriverFile(""), std::nullopt);
}

}  // namespace
}  // namespace zel::build
