// Archives made into projects: what a project archive may hold, and everything a broken
// or hostile one tries, each refused with nothing written outside the projects directory
// and no half project left in it.

#include "archive/project_from_archive.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/project/project_list.h"
#include "archive/archive_messages.h"
#include "archive/zip_maker.h"
#include "platform/files.h"
#include "support/temp_dir.h"

namespace zel::archive {
namespace {

namespace fs = std::filesystem;
using test::MakeZip;
using test::ZipEntrySpec;

const ZipEntrySpec kProjectFile{"Project.FW4", "[PROJECT]\r\nTARGET=VM1X\r\n", {}, {}};

// Every path below `root`, relative, hidden ones too.
std::vector<std::string> Tree(const fs::path& root) {
  std::vector<std::string> paths;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    paths.push_back(entry.path().lexically_relative(root).generic_string());
  std::sort(paths.begin(), paths.end());
  return paths;
}

class FromArchive : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(platform::CreateDirectoryAt(projects())); }
  fs::path projects() const { return dir / "projects"; }
  fs::path zip() const { return dir / "in.zip"; }
  bool create(std::string_view name = "NEW", UnpackLimits limits = {}) {
    ArchiveReport report;
    report.print = [this](std::string_view text) { printed += text; };
    report.alert = [this](std::string_view text) { boxes.emplace_back(text); };
    report.raise = [this] { ++raised; };
    return CreateProjectFromArchive(projects(), name, zip(), report, limits);
  }

  test::TempDir dir;
  std::string printed;
  std::vector<std::string> boxes;
  int raised = 0;
};

TEST_F(FromArchive, ProjectFileInAFolderMakesThatFolderTheProject) {
  ASSERT_TRUE(MakeZip(zip(), {{"readme.txt", "outside", {}, {}},
                              {"backup/PROJECT.FW4", "[PROJECT]\r\n", {}, {}},
                              {"backup\\sub\\a.awl", "A", {}, {}},
                              {"backup/deep/er/b.txt", "B", {}, {}},
                              {"backup/empty/", "", {}, {}}}));
  ASSERT_TRUE(create()) << printed;
  EXPECT_EQ(Tree(projects()), (std::vector<std::string>{"NEW", "NEW/PROJECT.FW4", "NEW/deep",
                                                        "NEW/deep/er", "NEW/deep/er/b.txt",
                                                        "NEW/empty", "NEW/sub", "NEW/sub/a.awl"}));
  EXPECT_EQ(test::ReadFile(projects() / "NEW/sub/a.awl"), "A");
  EXPECT_NE(printed.find(fs::path(projects() / "NEW" / "sub/a.awl").string() + "\r\n"),
            std::string::npos)
      << printed;
  EXPECT_NE(printed.find("Skipped readme.txt"), std::string::npos) << printed;
  EXPECT_TRUE(boxes.empty());
}

TEST_F(FromArchive, EntriesGetTheirStoredTimes) {
  ASSERT_TRUE(MakeZip(zip(), {kProjectFile}));
  ASSERT_TRUE(create());
  std::tm local{};
  local.tm_year = 120;  // 1 January 2020, the maker's date
  local.tm_mday = 1;
  local.tm_isdst = -1;
  EXPECT_EQ(platform::FileModTime(projects() / "NEW/Project.FW4"), std::mktime(&local));
}

TEST_F(FromArchive, WithoutAProjectFileNothingIsCreated) {
  ASSERT_TRUE(MakeZip(zip(), {{"a.awl", "A", {}, {}}, {"project.fw4.bak", "x", {}, {}}}));
  EXPECT_FALSE(create());
  EXPECT_EQ(printed, "ERROR: Uploaded project.ZIP file does not contain an ZEL project.\r\n");
  EXPECT_EQ(boxes, std::vector<std::string>{
                       "ERROR: Uploaded project.ZIP file does not contain an ZEL project."});
  EXPECT_EQ(raised, 1);
  EXPECT_TRUE(Tree(projects()).empty());
}

TEST_F(FromArchive, NeverWritesIntoAnExistingDirectory) {
  dir.writeFile("projects/old/keep.txt", "mine");
  ASSERT_TRUE(MakeZip(zip(), {kProjectFile, {"keep.txt", "theirs", {}, {}}}));
  for (const char* name : {"old", "OLD"}) {
    boxes.clear();
    EXPECT_FALSE(create(name));
    EXPECT_EQ(boxes, std::vector<std::string>{std::string(kMsgProjectExistsAlready)});
  }
  EXPECT_EQ(Tree(projects()), (std::vector<std::string>{"old", "old/keep.txt"}));
  EXPECT_EQ(test::ReadFile(projects() / "old/keep.txt"), "mine");
}

TEST_F(FromArchive, NamesThatAreNotOneDirectoryAreRefused) {
  ASSERT_TRUE(MakeZip(zip(), {kProjectFile}));
  for (const char* name : {"", "..", "a/b", "../x"}) {
    boxes.clear();
    EXPECT_FALSE(create(name)) << name;
    EXPECT_EQ(boxes, std::vector<std::string>{std::string(kMsgCreateDirectoryFailed)}) << name;
  }
  EXPECT_EQ(Tree(dir.path()), (std::vector<std::string>{"in.zip", "projects"}));
}

// Each archive is refused as a whole; the projects directory stays empty and nothing
// appears beside it.
TEST_F(FromArchive, HostileAndBrokenArchivesLeaveNothingBehind) {
  const std::string big(2 * 1024 * 1024, 'z');
  const std::string outside = "/tmp/zel-archive-escape-" + std::to_string(::getpid());
  struct Case {
    const char* label;
    std::vector<ZipEntrySpec> entries;
    std::string expected;  // a part of what is printed
  };
  const std::vector<Case> cases = {
      {"parent", {kProjectFile, {"../escape.txt", "x", {}, {}}}, "would be written outside"},
      {"deep parent", {kProjectFile, {"a/../../escape.txt", "x", {}, {}}}, "outside"},
      {"backslash parent", {kProjectFile, {"a\\..\\..\\escape.txt", "x", {}, {}}}, "outside"},
      {"absolute", {kProjectFile, {outside, "x", {}, {}}}, "outside"},
      {"drive letter", {kProjectFile, {"C:\\escape.txt", "x", {}, {}}}, "outside"},
      {"symbolic link", {kProjectFile, {"link", "/etc", 0120777u, {}}}, "link or a device"},
      {"device", {kProjectFile, {"dev", "", 0020666u, {}}}, "link or a device"},
      {"huge declared size", {kProjectFile, {"big.bin", "x", {}, 0xF0000000u}}, "more than"},
      {"too much in all", {kProjectFile, {"a.bin", big, {}, {}}}, "more than"},
      {"inflates beyond its size", {kProjectFile, {"bomb.bin", big, {}, 100u}}, "ERROR"},
      {"duplicate name",
       {kProjectFile, {"a.txt", "1", {}, {}}, {"a.txt", "2", {}, {}}},
       "Failed to create project file"},
      {"too many entries",
       {kProjectFile, {"1", "", {}, {}}, {"2", "", {}, {}}, {"3", "", {}, {}}, {"4", "", {}, {}}},
       "more than 4 entries"},
      {"file over a file",
       {kProjectFile, {"a", "1", {}, {}}, {"a/b", "2", {}, {}}},
       "Failed to create project file"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    printed.clear();
    ASSERT_TRUE(MakeZip(zip(), c.entries));
    EXPECT_FALSE(create("NEW", UnpackLimits{1024 * 1024, 4}));
    EXPECT_NE(printed.find(c.expected), std::string::npos) << printed;
    EXPECT_TRUE(Tree(projects()).empty());
    EXPECT_EQ(Tree(dir.path()), (std::vector<std::string>{"in.zip", "projects"}));
    EXPECT_FALSE(fs::exists(outside));
    EXPECT_FALSE(fs::exists(dir.path() / "escape.txt"));
  }
}

TEST_F(FromArchive, TruncatedAndCorruptArchivesAreRefused) {
  std::string data;
  for (int i = 0; i < 20000; ++i) data += std::to_string(i * 7919 % 10007) + ",";
  ASSERT_TRUE(MakeZip(zip(), {kProjectFile, {"data.txt", data, {}, {}}}));
  const std::string whole = test::ReadFile(zip());
  struct Case {
    const char* label;
    std::string bytes;
  };
  std::string flipped = whole;
  for (std::size_t i = 200; i < 400; ++i) flipped[i] = static_cast<char>(flipped[i] ^ 0x5a);
  const std::vector<Case> cases = {
      {"half", whole.substr(0, whole.size() / 2)},
      {"without its end record", whole.substr(0, whole.size() - 10)},
      {"empty", ""},
      {"not an archive", "PK\x03\x04 not really"},
      {"corrupt data", flipped},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    printed.clear();
    ASSERT_TRUE(platform::WriteFileAtomically(zip(), c.bytes));
    EXPECT_FALSE(create());
    EXPECT_NE(printed.find("ERROR"), std::string::npos) << printed;
    EXPECT_TRUE(Tree(projects()).empty());
  }
}

// A project list read while the archive is unpacked never shows the new project, nor
// the hidden directory it is made in; once done, the list shows it.
TEST_F(FromArchive, NoListShowsTheProjectBeforeItIsWhole) {
  ASSERT_TRUE(MakeZip(zip(), {kProjectFile, {"a.txt", "1", {}, {}}, {"b.txt", "2", {}, {}}}));
  ArchiveReport report;
  std::vector<std::size_t> listed;
  report.progress = [&](std::string_view, int, int) {
    listed.push_back(
        app::ListProjects(projects(), app::kAllTypesLabel, app::ProjectColumn::Name, false).size());
  };
  ASSERT_TRUE(CreateProjectFromArchive(projects(), "NEW", zip(), report));
  EXPECT_EQ(listed, (std::vector<std::size_t>{0, 0, 0}));
  const auto after =
      app::ListProjects(projects(), app::kAllTypesLabel, app::ProjectColumn::Name, false);
  ASSERT_EQ(after.size(), 1u);
  EXPECT_EQ(after[0].name, "NEW");
}

TEST_F(FromArchive, CancelledUnpackingLeavesNothing) {
  ASSERT_TRUE(MakeZip(zip(), {kProjectFile, {"a.txt", "1", {}, {}}}));
  ArchiveReport report;
  int steps = 0;
  report.progress = [&](std::string_view, int, int) { ++steps; };
  report.cancelled = [&] { return steps >= 2; };
  report.print = [this](std::string_view text) { printed += text; };
  EXPECT_FALSE(CreateProjectFromArchive(projects(), "NEW", zip(), report));
  EXPECT_EQ(steps, 2);
  EXPECT_NE(printed.find(std::string(kMsgCancelled)), std::string::npos);
  EXPECT_TRUE(Tree(projects()).empty());
}

}  // namespace
}  // namespace zel::archive
