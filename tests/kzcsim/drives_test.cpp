#include <gtest/gtest.h>

#include "kzcsim/script.h"
#include "support/temp_dir.h"
#include "tools/kzcsim/ci_interpreter.h"

namespace zel::kzcsim::test {
namespace {

ControllerConfig WithDrives(const std::filesystem::path& root) {
  ControllerConfig config = PlainConfig();
  config.drives = root;
  config.driveCapacity = 10000;
  return config;
}

TEST(KzcsimDrives, DrivesAreFoldersAndNamesIgnoreCase) {
  zel::test::TempDir dir;
  dir.writeFile("a/readme.txt", "hello");
  std::filesystem::create_directories(dir / "C" / "Data");
  Interpreter ci(WithDrives(dir.path()));
  RunScript(ci, {
                    {"FP", OK, "AC"},
                    {"FVG", OK, "=C:\\"},
                    {"FVCdata", OK, " "},
                    {"FVG", OK, "=C:\\DATA"},
                    {"FVC..", OK, " "},
                    {"FVC..", ERR, "File not found"},  // never above a drive's root
                    {"FVCB:\\", ERR, "File not found"},
                    {"FVCa:\\", OK, " "},
                    {"FEREADME.TXT", OK, "=1"},
                    {"FEreadme.txt", OK, "=1"},
                    {"FEC:\\README.TXT", OK, "=0"},
                    {"FElongfilename.txt", OK, "=0"},
                    {"FS", OK, "=9995"},
                });
}

TEST(KzcsimDrives, TextBlocksWriteReadPositionAndEndAFile) {
  zel::test::TempDir dir;
  Interpreter ci(WithDrives(dir.path()));
  // "414243": digit sum 0x34+0x31+0x34+0x32+0x34+0x33 = 0x132, checksum "32".
  RunScript(ci, {
                    {"FXR", ERR, "No file open"},
                    {"FOc:\\new.bin", OK, " "},
                    {"FXW41424332", OK, " "},
                    {"FXW41424333", ERR, "Checksum error"},
                    {"FXW4142433", ERR, "Syntax error"},
                    {"FXW4G424332", ERR, "Syntax error"},
                    {"FXW" + std::string(66, '0') + "00", ERR, "Syntax error"},  // 33 bytes
                    {"FXS1", OK, "=1"},
                    {"FXR", OK, "4243CD"},
                    {"FXR", OK, "00"},
                    {"FXS0", OK, "=0"},
                    {"FXW4b96", OK, " "},  // lower-case digits count by their own codes
                    {"FXW00", OK, " "},    // no data: the file ends here
                    {"FC", OK, " "},
                    {"FC", OK, " "},
                    {"FXS0", ERR, "No file open"},
                    {"FTnew.bin,24.12.2025,13:45:10", OK, "=1,24.12.2025,13:45:10"},
                    {"FTNEW.BIN", OK, "=1,24.12.2025,13:45:10"},
                    {"FTnew.bin,32.12.2025,13:45:10", ERR, "Syntax error"},
                    {"FTmissing.bin", ERR, "File not found"},
                    {"FEnew.bin", OK, "=1"},
                    {"FDnew.bin", OK, " "},
                    {"FDnew.bin", ERR, "File not found"},
                    {"FEnew.bin", OK, "=0"},
                });
  EXPECT_FALSE(std::filesystem::exists(dir / "C" / "new.bin"));
}

TEST(KzcsimDrives, ListingWalksTheDirectoryOnce) {
  zel::test::TempDir dir;
  dir.writeFile("C/sub/b.txt", "12");
  dir.writeFile("C/sub/A.RUN", "1");
  dir.writeFile("C/sub/too-long-name.text", "1");
  Interpreter ci(WithDrives(dir.path()));
  RunScript(ci, {
                    {"FVF*.* $11", OK, "=SUB"},
                    {"FVN", OK, ""},
                    {"FVCsub", OK, " "},
                    {"FVF*.* $11", OK, "=."},
                    {"FVN", OK, "=.."},
                    {"FVN", OK, "=A.RUN"},
                    {"FVN", OK, "=B.TXT"},
                    {"FVN", OK, ""},
                    {"FVN", OK, ""},
                    {"FVF*.RUN $11", OK, "=A.RUN"},
                    {"FVN", OK, ""},
                });
}

TEST(KzcsimDrives, LockedControllerKeepsItsFiles) {
  zel::test::TempDir dir;
  dir.writeFile("C/keep.txt", "x");
  ControllerConfig config = WithDrives(dir.path());
  config.password = "pw";
  Interpreter ci(config);
  RunScript(ci, {
                    {"FDkeep.txt", ERR, "Locked"},
                    {"FOkeep.txt", ERR, "Locked"},
                    {"FTkeep.txt,1.1.2020,00:00:00", ERR, "Locked"},
                    {"FEkeep.txt", OK, "=1"},
                });
}

TEST(KzcsimDrives, LoadProjectAndCheckProgram) {
  zel::test::TempDir dir;
  dir.writeFile("A/plant.run", "run file");
  Interpreter ci(WithDrives(dir.path()));
  RunScript(ci, {
                    {"LPA:\\missing.run", ERR, "File not found"},
                    {"LPA:\\plant.run", OK, ""},
                    {"L?", OK, "VM2X,$0112,PLANT,PLANT.RUN,"},
                    {"L_FLASH", OK, "=0"},
                    {"LEA:\\OTHER.EXE", ERR, "File not found"},
                });
  const Reply check = ci.Execute("LEA:\\CHKFFS.EXE /q /f");
  EXPECT_EQ(check.text, "=0");
  EXPECT_TRUE(check.executing);
}

TEST(KzcsimDrives, WithoutDrivesEveryFileCommandFailsCleanly) {
  Interpreter ci(PlainConfig());
  RunScript(ci, {
                    {"FP", OK, ""},
                    {"FVCC:\\", ERR, "File not found"},
                    {"FOx.txt", ERR, "File error"},
                    {"FEx.txt", OK, "=0"},
                    {"FVF*.* $11", OK, ""},
                    {"FS", OK, "=0"},
                });
}

}  // namespace
}  // namespace zel::kzcsim::test
