// Clean Up and "Startup.BAT": what a build leaves behind, and what Clean Up takes away.

#include "build/clean_up.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/project/project_file.h"
#include "build/download_section.h"
#include "build/startup_batch.h"
#include "platform/files.h"
#include "support/temp_dir.h"

namespace zel::build {
namespace {

namespace fs = std::filesystem;

std::set<std::string> Names(const fs::path& dir) {
  std::set<std::string> names;
  for (const auto& entry : platform::ListDirectory(dir)) names.insert(entry.name);
  return names;
}

TEST(CleanUp, RemovesDerivedFilesInAnySpellingAndKeepsTheSources) {
  test::TempDir dir;
  const fs::path project = dir / "PLANT";
  dir.writeFile("PLANT/Project.FW4",
                "[PROJECT]\r\nTARGET=VM1X\r\n[MODULES]\r\nSRC_0=CZ0P00V1.awl,1,main\r\n"
                "SRC_1=CZ0B03V2.KOP,0,ladder\r\nSRC_2=CZ0F01V1.awl,1,gone\r\n"
                "SRC_3=CZ0P07V1.IMP,1,imported\r\n\r\nSRC_5=CZ0P09V1.awl,1,after gap\r\n"
                "[DOWNLOAD]\r\nMAKE=1, x\r\n");
  const char* kept[] = {
      "Project.FW4",       "CZ0P00V1.awl",      "CZ0B03V2.KOP",      "C.bel",    "CZ0P07V1.IMP",
      "CZ0P07V1.VM1X.OBJ", "CZ0F01V1.VM1X.OBJ", "CZ0P09V1.VM1X.OBJ", "notes.txt"};
  const char* removed[] = {"Project.RUN",       "download.run",      "Update.RUN",
                           "STARTUP.BAT",       "Project.ZIP",       "XREF.TXT",
                           "CZ0P00V1.VM1X.OBJ", "cz0p00v1.vm2x.obj", "CZ0P00V1.RUD.OBJ",
                           "CZ0P00V1.RUD2.OBJ", "CZ0P00V1.VM0X.OBJ", "CZ0P00V1.INT",
                           "cz0p00v1.int",      "CZ0P00V1.XREF",     "CZ0P00V1.LOG",
                           "CZ0P00V1.BAK",      "CZ0P00V1.awl.bak",  "CZ0B03V2.VM1X.OBJ",
                           "CZ0B03V2.KOP.BAK",  "Project.RUN.part",  "Project.ZIP.part"};
  for (const char* name : kept)
    if (std::string(name) != "Project.FW4") dir.writeFile(fs::path("PLANT") / name, "x");
  for (const char* name : removed) dir.writeFile(fs::path("PLANT") / name, "x");

  TextLog log;
  ASSERT_TRUE(CleanUpProject(dir.path(), "plant", log));
  EXPECT_EQ(log.text(),
            "\r\nZEL Project Cleanup\r\n\r\n"
            "\r\nRemoved intermediate files from project.\r\n\r\n\r\n\r\n");
  const std::set<std::string> left = Names(project);
  for (const char* name : kept) EXPECT_TRUE(left.contains(name)) << name << " was removed";
  for (const char* name : removed) EXPECT_FALSE(left.contains(name)) << name << " was left";
  const app::ProjectFile file(project / "Project.FW4");
  EXPECT_TRUE(file.keys(app::kSectionDownload).empty());
  EXPECT_EQ(file.read(app::kSectionModules, "SRC_0"), "CZ0P00V1.awl,1,main");
}

TEST(CleanUp, WithoutAProjectSaysSoAndTouchesNothing) {
  test::TempDir dir;
  dir.writeFile("OTHER/Project.RUN", "x");
  for (const char* name : {"", "OTHER", "MISSING"}) {
    TextLog log;
    EXPECT_FALSE(CleanUpProject(dir.path(), name, log)) << name;
    EXPECT_EQ(log.text(), "\r\nZEL Project Cleanup\r\n\r\nERROR: No project open\r\n");
  }
  EXPECT_TRUE(fs::exists(dir / "OTHER/Project.RUN"));
}

TEST(StartupBatch, WritesLinesAndAKernelLineWithoutLineEnd) {
  const struct {
    const char* params;
    const char* port;
    const char* line;
  } cases[] = {
      {"", "", "C:\\ZELPCR22.EXE D:\\PROJECT.RUN"},
      {"-v -x", "", "C:\\ZELPCR22.EXE D:\\PROJECT.RUN -v -x"},
      {"", "2", "C:\\ZELPCR22.EXE D:\\PROJECT.RUN -c2"},
      {"-v", "1", "C:\\ZELPCR22.EXE D:\\PROJECT.RUN -v -c1"},
  };
  for (const auto& c : cases) EXPECT_EQ(KernelLine("C:\\", "D:\\", c.params, c.port), c.line);

  test::TempDir dir;
  StartupBatch batch;
  ASSERT_TRUE(batch.create(dir / "Startup.BAT"));
  TextLog log;
  batch.append("SERIAL.EXE\r\n", log);
  batch.append(KernelLine("C:\\", "C:\\", "", ""), log);
  batch.close(log);
  EXPECT_EQ(log.errors(), 0u);
  EXPECT_EQ(dir.readFile("Startup.BAT"), "SERIAL.EXE\r\nC:\\ZELPCR22.EXE C:\\PROJECT.RUN");
}

TEST(StartupBatch, AFailedWriteCountsOnce) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full to fail writes on";
  StartupBatch batch;
  ASSERT_TRUE(batch.create("/dev/full"));
  TextLog log;
  batch.append(std::string(100000, 'x'), log);
  batch.append("more", log);
  batch.close(log);
  EXPECT_EQ(log.errors(), 1u);
  EXPECT_EQ(log.text(), "ERROR: Cannot write to Startup.BAT\r\n");
  StartupBatch missing;
  EXPECT_FALSE(missing.create("/nonexistent-dir/Startup.BAT"));
}

TEST(DownloadSection, StoresLongPathsWholeAndReplacesTheOldSection) {
  test::TempDir dir;
  dir.writeFile("P/Project.FW4",
                "[PROJECT]\r\nTARGET=VM1X\r\n[DOWNLOAD]\r\nMAKE=1, old\r\n"
                "TRANSFERFILE_7=stale\r\n");
  const app::ProjectFile file(dir / "P/Project.FW4");
  // A local path deep in a directory tree: far beyond the usual 260-character buffers.
  const std::string local = "/" + std::string(900, 'd') + "/Project.RUN";
  DownloadSection section;
  section.set("TARGET", "VM1X");
  section.add(DownloadList::TransferFile, TransferValue(10, 20, "C:\\PROJECT.RUN", local));
  ASSERT_TRUE(section.store(file));
  EXPECT_EQ(file.keys("DOWNLOAD"), (std::vector<std::string>{"TARGET", "TRANSFERFILE_0"}));
  EXPECT_EQ(file.read("DOWNLOAD", "TRANSFERFILE_0", "", kDownloadValueBuffer),
            "10,20,C:\\PROJECT.RUN " + local);
  EXPECT_EQ(file.read("PROJECT", "TARGET"), "VM1X") << "other sections stay";
}

}  // namespace
}  // namespace zel::build
