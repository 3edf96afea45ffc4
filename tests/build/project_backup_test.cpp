// Backup and restore of a built project: the round trip reproduces every packed file byte
// for byte, the derived files and the exclusion file stay out, and the backed-up project
// itself is left as it was.

#include "build/project_backup.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "archive/archive_listing.h"
#include "archive/project_restore.h"
#include "build_fixture.h"
#include "platform/files.h"

namespace zel::build {
namespace {

namespace fs = std::filesystem;

std::set<std::string> FileNames(const fs::path& dir) {
  std::set<std::string> names;
  for (const auto& entry : platform::ListDirectory(dir))
    if (!entry.isDirectory) names.insert(entry.name);
  return names;
}

struct Recorded {
  std::string printed;
  std::vector<std::string> boxes;
  archive::ArchiveReport report() {
    archive::ArchiveReport r;
    r.print = [this](std::string_view text) { printed += text; };
    r.alert = [this](std::string_view text) { boxes.emplace_back(text); };
    return r;
  }
};

TEST(ProjectBackup, RoundTripReproducesTheProjectWithoutItsDerivedFiles) {
  test::BuildFixture fixture;
  BuildCounts counts;
  fixture.build(BuildMode::Build, "DEMO", &counts);
  ASSERT_EQ(counts.errors, 0u);
  const fs::path project = fixture.projectDirectory();
  // An imported module keeps its code only in its object file; the exclusion file of an
  // open project and a sub-folder are no part of a backup.
  fixture.dir().writeFile("Projects/DEMO/CZ0B40V1.imp", "imported");
  fixture.dir().writeFile("Projects/DEMO/CZ0B40V1.VM1X.OBJ", std::string("\x01\x00\xff", 3));
  fixture.dir().writeFile("Projects/DEMO/Project._PA", "lock");
  fixture.dir().writeFile("Projects/DEMO/sub/inner.txt", "inner");
  const std::set<std::string> before = FileNames(project);
  for (const char* derived : {"Project.RUN", "Project.ZIP", "Startup.BAT", "CZ0P00V1.VM1X.OBJ"})
    ASSERT_TRUE(before.contains(derived)) << derived << " was not built";

  const fs::path zip = fixture.programDirectory() / "DEMO.zip";
  Recorded recorded;
  ASSERT_TRUE(
      BackupProject({fixture.projectsDirectory(), "DEMO", zip, "4.0.0"}, recorded.report()));
  EXPECT_EQ(recorded.printed, "\r\nZEL Project Backup\r\n\r\n\r\nProject DEMO backed up as file " +
                                  zip.string() + "\r\n\r\n\r\n\r\n");
  EXPECT_TRUE(recorded.boxes.empty());
  // The project is not cleaned: what the next download and update need stays.
  EXPECT_EQ(FileNames(project), before);
  EXPECT_FALSE(fixture.projectFile().keys("DOWNLOAD").empty());

  const auto listing = archive::ListArchive(zip);
  ASSERT_TRUE(listing);
  EXPECT_EQ(listing->comment, "DEMO,4.0.0");
  std::set<std::string> packed;
  for (const auto& entry : listing->entries) packed.insert(entry.name);
  const std::set<std::string> expected = {
      "C.BEL",        "CR.CFG",       "CZ0B10V1.awl", "CZ0B40V1.VM1X.OBJ", "CZ0B40V1.imp",
      "CZ0F20V1.awl", "CZ0P00V1.awl", "CZ0P01V1.awl", "CZ0P02V1.awl",      "CZ0P03V1.awl",
      "Project.FW4",  "Project.txt",  "SCREENS.BIN",  "SCREENS.TXT"};
  EXPECT_EQ(packed, expected);

  ASSERT_TRUE(archive::RestoreProject(fixture.projectsDirectory(), "COPY", zip, recorded.report()));
  const fs::path copy = fixture.projectDirectory("COPY");
  EXPECT_EQ(FileNames(copy), expected);
  for (const std::string& name : expected) {
    EXPECT_EQ(platform::ReadWholeFile(copy / name), platform::ReadWholeFile(project / name))
        << name;
    // ZIP times have two seconds' steps.
    EXPECT_NEAR(static_cast<double>(platform::FileModTime(copy / name).value_or(0)),
                static_cast<double>(platform::FileModTime(project / name).value_or(0)), 2.0)
        << name;
  }
}

TEST(ProjectBackup, AProjectThatIsNotThereIsTold) {
  test::BuildFixture fixture;
  Recorded recorded;
  const fs::path zip = fixture.programDirectory() / "x.zip";
  for (const char* name : {"", "NONE"}) {
    recorded.boxes.clear();
    EXPECT_FALSE(BackupProject({fixture.projectsDirectory(), name, zip, ""}, recorded.report()));
    EXPECT_EQ(recorded.boxes, std::vector<std::string>{"Project not found in the current "
                                                       "project directory."});
  }
  EXPECT_FALSE(fs::exists(zip));
}

}  // namespace
}  // namespace zel::build
