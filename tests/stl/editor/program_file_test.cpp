// The editor's program file on disk: what a save leaves behind, with and without success.

#include "stl/editor/program_file.h"

#include <gtest/gtest.h>

#include <fstream>

#include "platform/files.h"
#include "support/temp_dir.h"

namespace zel::stl {
namespace {

std::string Read(const std::filesystem::path& file) {
  return platform::ReadWholeFile(file).value_or("<missing>");
}

TEST(ProgramFile, SaveKeepsThePreviousFileAsBackupAndWritesTheStoredForm) {
  test::TempDir dir;
  std::ofstream(dir / "P.AWL", std::ios::binary) << "aE0.0\r\n";
  const ProgramSave saved =
      SaveProgramFile(dir / "P.AWL", dir / "P.BAK", "SET O0.0\nfrobnicate i0.0");
  EXPECT_TRUE(saved.written);
  EXPECT_EQ(Read(dir / "P.AWL"), "sA0.0\r\n?frobnicate i0.0\r\n");
  EXPECT_EQ(Read(dir / "P.BAK"), "aE0.0\r\n");
  ASSERT_EQ(saved.rejected.size(), 1u);
  EXPECT_EQ(saved.rejected[0].line, 2);
}

TEST(ProgramFile, AFailedSaveLeavesTheOldFileAndSaysSo) {
  test::TempDir dir;
  const ProgramSave saved = SaveProgramFile(dir / "missing" / "P.AWL", {}, "SET O0.0");
  EXPECT_FALSE(saved.written);
  EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
}

TEST(ProgramFile, LoadTellsAnUnreadableFileFromAnEmptyOne) {
  test::TempDir dir;
  EXPECT_FALSE(LoadProgramFile(dir / "none.AWL", {}).readable);
  std::ofstream(dir / "E.AWL", std::ios::binary) << "";
  const ProgramLoad empty = LoadProgramFile(dir / "E.AWL", {});
  EXPECT_TRUE(empty.readable);
  EXPECT_TRUE(empty.document.lines.empty());
}

}  // namespace
}  // namespace zel::stl
