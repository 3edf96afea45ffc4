// A converted version-3 project is a project like any other: with the run-time library of
// the demo installed, it builds without errors or warnings, its IO configuration turned
// into scan tables and its drivers taken into the run file.
#include <gtest/gtest.h>

#include <mutex>
#include <string>

#include "build/project_build.h"
#include "orvix/v3_fixture.h"
#include "platform/files.h"
#include "support/temp_dir.h"
#include "tools/orvix/conversion.h"

namespace zel::orvix {
namespace {

constexpr std::int64_t kNow = 1765000000;

void CopyProgramFiles(const fs::path& to) {
  const fs::path demo(ZEL_DEMO_DIR);
  fs::remove_all(to / "RUNTIME.VM1X");
  fs::copy(demo / "RUNTIME.VM1X", to / "RUNTIME.VM1X", fs::copy_options::recursive);
  for (const char* file : {"ErrorLnk.txt", "ErrorKZC.txt"}) {
    fs::copy_file(demo / file, to / file, fs::copy_options::overwrite_existing);
  }
}

void WriteMillProject(const test::Installation& in) {
  const fs::path dir = in.v3Project("MILL");
  in.write(dir / "MILL.zel", test::ModuleRecordBytes("CZ0P00V1", "AWL", true, "main") +
                                 test::ModuleRecordBytes("CZ0P01V1", "AWL", true, "lamp"));
  in.write(dir / "CZ0P00V1.AWL", "wE0.0\r\ndsA0.0\r\n");
  in.write(dir / "CZ0P01V1.AWL", "wE0.1\r\ndsA0.1\r\n");
  in.write(dir / "c.bel", test::AllocationRecord("E0.0", "START", "start button"));
  // The version-3 names of the demo library's digital modules.
  in.write(dir / "eacfg.kzc", test::IoRecordBytes("VM1XBASE", "0", "0", "0") +
                                  test::IoRecordBytes("DIGIN16", "0", "1", "0") +
                                  test::IoRecordBytes("DIGOUT16", "0", "0", "1"));
  // The serial driver runs over the fieldbus driver, listed after it as users often did.
  in.write(dir / "drivers.kzc", test::DriverRecord("SERIAL") + test::DriverRecord("FIELDBUS"));
  in.write(dir / "driver.dat",
           "[SERIAL]\r\nSERPORT=2\r\nSERBAUD=19200\r\nSERADDR=1\r\n"
           "[FIELDBUS]\r\nCP61SWPOS=5\r\nFBINTNUM=0\r\nFBBAUD=2\r\nSOFTERR=N\r\n"
           "NOMINALCONFIG=N\r\n");
}

TEST(ConvertedProject, BuildsWithoutErrorsOrWarnings) {
  zel::test::TempDir tmp;
  const test::Installation in = test::MakeInstallation(tmp.path());
  CopyProgramFiles(in.programDirectory());
  WriteMillProject(in);
  in.writeProjectList({{"MILL", "Mill"}});

  const ConversionResult result = ConvertProject(
      {in.programDirectory(), in.projectDirectory(), in.v3()}, {"MILL", "Mill"},
      [](const V3Project&, app::ControllerType detected) { return detected; }, kNow);
  ASSERT_EQ(result.outcome, ConversionOutcome::Converted) << result.message;
  ASSERT_EQ(result.type, "VM1X");

  std::mutex lock;
  std::string text;
  const auto collect = [&](std::string_view part) {
    std::lock_guard guard(lock);
    text.append(part);
  };
  build::BuildRequest request;
  request.mode = build::BuildMode::Build;
  request.programDirectory = in.programDirectory();
  request.projectsDirectory = in.projectDirectory();
  request.projectName = "MILL";
  request.clock = [] { return kNow; };
  request.userName = [] { return std::string("tester"); };
  build::Builder builder(0, build::BuildOutput{collect, collect, {}});
  ASSERT_TRUE(builder.start(request)) << text;
  builder.wait();

  EXPECT_EQ(builder.counts().errors, 0u) << text;
  EXPECT_EQ(builder.counts().warnings, 0u) << text;
  EXPECT_NE(text.find("Input Module:  DI16.IOD , 0 , 1 , 0"), std::string::npos) << text;
  EXPECT_NE(text.find("include driver: SERIAL"), std::string::npos) << text;
  EXPECT_NE(text.find("include driver: FIELDBUS"), std::string::npos) << text;
  EXPECT_TRUE(platform::PathExistsNoCase(in.projectDirectory() / "MILL" / "Project.RUN"));
}

}  // namespace
}  // namespace zel::orvix
