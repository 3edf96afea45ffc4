#include "archive/project_restore.h"

#include <gtest/gtest.h>

#include "app/project/project_messages.h"
#include "archive/archive_messages.h"
#include "archive/zip_maker.h"
#include "support/temp_dir.h"

namespace zel::archive {
namespace {

namespace fs = std::filesystem;

TEST(RestoreChecks, TheArchiveMustEndInZipInAnyCase) {
  for (const char* ok : {"a.zip", "B.ZIP", "dir.x/c.Zip"})
    EXPECT_EQ(CheckArchiveFileName(ok), std::nullopt) << ok;
  EXPECT_EQ(CheckArchiveFileName("/x/backup.zap"),
            "'/x/backup.zap'\nInvalid file name.\nThe file must have the extension \".zip\".");
  EXPECT_TRUE(CheckArchiveFileName("zip"));
  EXPECT_TRUE(CheckArchiveFileName("a.zip.bak"));
  EXPECT_EQ(ProposedProjectName("/x/LINE2.ZIP"), "LINE2");
}

TEST(RestoreChecks, TheNameIsANewProjectName) {
  test::TempDir dir;
  dir.writeFile("OLD/Project.FW4", "");
  dir.writeFile("PLAIN/x.txt", "");
  struct Case {
    const char* name;
    std::optional<std::string_view> refused;
  };
  const Case cases[] = {
      {"NEW", std::nullopt},
      {"", app::kMsgEnterProjectName},
      {"A B", app::kMsgProjectNameSpaces},
      {"NINECHARS", app::kMsgProjectNameTooLong},
      {"..", app::kMsgProjectNameInvalid},
      {"old", app::kMsgProjectExists},
      {"plain", app::kMsgDirectoryExists},
  };
  for (const Case& c : cases) EXPECT_EQ(CheckRestoreName(dir.path(), c.name), c.refused) << c.name;
}

TEST(RestoreProject, RefusalsAndFailuresAreShown) {
  test::TempDir dir;
  ASSERT_TRUE(fs::create_directory(dir / "projects"));
  ASSERT_TRUE(test::MakeZip(dir / "good.ZIP", {{"Project.FW4", "[PROJECT]\r\n", {}, {}}}));
  ASSERT_TRUE(test::MakeZip(dir / "empty.zip", {{"a.txt", "a", {}, {}}}));
  std::vector<std::string> boxes;
  ArchiveReport report;
  report.alert = [&](std::string_view text) { boxes.emplace_back(text); };

  EXPECT_FALSE(RestoreProject(dir / "projects", "A B", dir / "good.ZIP", report));
  EXPECT_FALSE(RestoreProject(dir / "projects", "NEW", dir / "empty.zip", report));
  EXPECT_EQ(boxes, (std::vector<std::string>{std::string(app::kMsgProjectNameSpaces),
                                             std::string(kMsgNoProjectInArchive),
                                             std::string(kMsgRestoreFailed)}));
  EXPECT_TRUE(fs::is_empty(dir / "projects"));
  boxes.clear();
  EXPECT_TRUE(RestoreProject(dir / "projects", "NEW", dir / "good.ZIP", report));
  EXPECT_TRUE(boxes.empty());
  EXPECT_TRUE(fs::exists(dir / "projects/NEW/Project.FW4"));
}

}  // namespace
}  // namespace zel::archive
