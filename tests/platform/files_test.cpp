#include "platform/files.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <future>

#include "support/temp_dir.h"

namespace zel::platform {
namespace {

using test::TempDir;

void WriteText(const fs::path& path, std::string_view text) {
  std::ofstream(path, std::ios::binary) << text;
}

class FilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(m_dir / "Projects" / "Demo");
    WriteText(m_dir / "Projects" / "Demo" / "C.BEL", "bel");
    WriteText(m_dir / "Projects" / "Demo" / "Project.FW4", "fw4");
  }
  TempDir m_dir;
};

TEST_F(FilesTest, FindsPathsWithoutRegardToCase) {
  const fs::path demo = m_dir / "Projects" / "Demo";
  struct Case {
    std::string_view query;
    std::optional<fs::path> expected;
  };
  const Case cases[] = {
      {"Projects/Demo/C.BEL", demo / "C.BEL"},
      {"projects/demo/c.bel", demo / "C.BEL"},
      {"PROJECTS/DEMO/project.fw4", demo / "Project.FW4"},
      {"projects/DEMO/", demo},
      {"projects/./demo/../Demo/c.Bel", m_dir / "Projects/./Demo/../Demo/C.BEL"},
      {"projects/demo/missing.txt", std::nullopt},
      {"nowhere/demo/c.bel", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FindPathNoCase(m_dir / c.query), c.expected) << c.query;
  }
  EXPECT_EQ(FindPathNoCase(""), std::nullopt);
  EXPECT_TRUE(PathExistsNoCase(m_dir / "PROJECTS/demo/c.bel"));
  EXPECT_TRUE(IsDirectoryNoCase(m_dir / "PROJECTS/DEMO"));
  EXPECT_FALSE(IsDirectoryNoCase(m_dir / "PROJECTS/DEMO/C.BEL"));
}

TEST_F(FilesTest, ExactSpellingWinsAndOthersAreStable) {
  const fs::path demo = m_dir / "Projects" / "Demo";
  WriteText(demo / "c.bel", "lower");
  WriteText(demo / "c.BEL", "mixed");
  EXPECT_EQ(FindPathNoCase(demo / "c.bel"), demo / "c.bel");
  EXPECT_EQ(FindPathNoCase(demo / "C.BEL"), demo / "C.BEL");
  EXPECT_EQ(FindPathNoCase(demo / "C.bel"), demo / "C.BEL");  // first in byte order
}

TEST_F(FilesTest, ResolveKeepsTheNameToCreate) {
  EXPECT_EQ(ResolvePathNoCase(m_dir / "projects/demo/New.awl"), m_dir / "Projects/Demo/New.awl");
  EXPECT_EQ(ResolvePathNoCase(m_dir / "projects/New/x.awl"), m_dir / "Projects/New/x.awl");
  EXPECT_EQ(ResolvePathNoCase(m_dir / "projects/demo/c.bel"), m_dir / "Projects/Demo/C.BEL");
}

TEST(Wildcard, MatchesLikeTheOriginalFileSystem) {
  struct Case {
    std::string_view pattern;
    std::string_view name;
    bool matches;
  };
  const Case cases[] = {
      {"*", "anything.txt", true},
      {"*.*", "Project.FW4", true},
      {"*.*", "NoExtension", true},
      {"*.awl", "CZ0P01V0.AWL", true},
      {"*.AWL", "cz0p01v0.awl", true},
      {"*.awl", "CZ0P01V0.awl.bak", false},
      {"CZ0?01V0.*", "CZ0B01V0.awl", true},
      {"CZ0?01V0.*", "CZ0B01V0", true},
      {"CZ0?01V0.*", "CZ0BB01V0.awl", false},
      {"?", "", false},
      {"", "", true},
      {"", "a", false},
      {"a*b*c", "aXXbYYc", true},
      {"a*b*c", "aXXbYYcZ", false},
      {"*x*", "abc", false},
      {"**", "", true},
      {"RUNTIME.*", "runtime.vm1x", true},
      {"*.iod", "RUD.IOD", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WildcardMatch(c.pattern, c.name), c.matches) << c.pattern << " ~ " << c.name;
  }
  // Back-tracking stays bounded on a hostile pattern.
  EXPECT_FALSE(WildcardMatch(std::string(2000, '*') + "b", std::string(20000, 'a')));
}

TEST_F(FilesTest, ListsSortedWithoutRegardToCase) {
  const fs::path demo = m_dir / "Projects" / "Demo";
  WriteText(demo / "a.awl", "12345");
  WriteText(demo / "B.AWL", "");
  fs::create_directory(demo / "sub.awl");
  std::vector<std::string> names;
  for (const DirEntry& e : ListDirectory(demo)) names.push_back(e.name);
  EXPECT_EQ(names, (std::vector<std::string>{"a.awl", "B.AWL", "C.BEL", "Project.FW4", "sub.awl"}));

  const std::vector<DirEntry> awl = ListDirectory(demo, "*.AWL");
  ASSERT_EQ(awl.size(), 3u);
  EXPECT_EQ(awl[0].size, 5u);
  EXPECT_FALSE(awl[0].isDirectory);
  EXPECT_TRUE(awl[2].isDirectory);
  EXPECT_EQ(awl[0].mtime, FileModTime(demo / "a.awl"));
  EXPECT_TRUE(ListDirectory(m_dir / "missing").empty());
}

TEST_F(FilesTest, CopyKeepsTimeAndHonoursFailIfExists) {
  const fs::path from = m_dir / "from.txt";
  const fs::path to = m_dir / "to.txt";
  WriteText(from, "new");
  ASSERT_TRUE(SetFileModTime(from, 1000000000));
  WriteText(to, "old");
  EXPECT_FALSE(CopyFileTo(from, to, true));
  EXPECT_EQ(ReadWholeFile(to), "old");
  EXPECT_TRUE(CopyFileTo(from, to, false));
  EXPECT_EQ(ReadWholeFile(to), "new");
  EXPECT_EQ(FileModTime(to), 1000000000);
  EXPECT_FALSE(CopyFileTo(m_dir / "missing", to, false));
  EXPECT_FALSE(CopyFileTo(m_dir / "Projects", m_dir / "copy", false));
}

TEST_F(FilesTest, MoveReplacesTheTarget) {
  const fs::path from = m_dir / "from.txt";
  const fs::path to = m_dir / "to.txt";
  WriteText(from, "moved");
  WriteText(to, "replaced");
  EXPECT_TRUE(MoveFileTo(from, to));
  EXPECT_FALSE(fs::exists(from));
  EXPECT_EQ(ReadWholeFile(to), "moved");
  EXPECT_FALSE(MoveFileTo(from, to));
}

TEST_F(FilesTest, MoveCrossesFileSystems) {
  struct stat here {};
  struct stat shm {};
  if (stat(m_dir.path().c_str(), &here) != 0 || stat("/dev/shm", &shm) != 0 ||
      here.st_dev == shm.st_dev || access("/dev/shm", W_OK) != 0) {
    GTEST_SKIP() << "no second writable file system";
  }
  const fs::path other = fs::path("/dev/shm") / m_dir.path().filename();
  fs::create_directory(other);
  const fs::path from = m_dir / "file.run";
  WriteText(from, "payload");
  ASSERT_TRUE(SetFileModTime(from, 1100000000));
  const bool moved = MoveFileTo(from, other / "file.run");
  const auto content = ReadWholeFile(other / "file.run");
  const auto mtime = FileModTime(other / "file.run");
  fs::create_directories(m_dir / "tree" / "inner");
  WriteText(m_dir / "tree" / "inner" / "x", "x");
  const bool movedTree = MoveFileTo(m_dir / "tree", other / "tree");
  const auto treeContent = ReadWholeFile(other / "tree" / "inner" / "x");
  fs::remove_all(other);
  EXPECT_TRUE(moved);
  EXPECT_FALSE(fs::exists(from));
  EXPECT_EQ(content, "payload");
  EXPECT_EQ(mtime, 1100000000);
  EXPECT_TRUE(movedTree);
  EXPECT_FALSE(fs::exists(m_dir / "tree"));
  EXPECT_EQ(treeContent, "x");
}

TEST_F(FilesTest, DeleteAndDirectories) {
  const fs::path sub = m_dir / "sub";
  EXPECT_TRUE(CreateDirectoryAt(sub));
  EXPECT_FALSE(CreateDirectoryAt(sub));
  EXPECT_FALSE(CreateDirectoryAt(m_dir / "a" / "b"));  // one level only
  WriteText(sub / "f", "x");
  EXPECT_FALSE(DeleteFileAt(sub));
  EXPECT_FALSE(RemoveDirectoryAt(sub));
  EXPECT_FALSE(RemoveDirectoryAt(sub / "f"));
  EXPECT_TRUE(DeleteFileAt(sub / "f"));
  EXPECT_FALSE(DeleteFileAt(sub / "f"));
  EXPECT_TRUE(RemoveDirectoryAt(sub));
  EXPECT_FALSE(fs::exists(sub));
}

TEST_F(FilesTest, TimesSizesAndSpace) {
  const fs::path file = m_dir / "f.bin";
  WriteText(file, std::string(1234, 'z'));
  for (const std::int64_t t :
       {std::int64_t{0}, std::int64_t{975000000}, std::int64_t{4102444800}}) {
    ASSERT_TRUE(SetFileModTime(file, t));
    EXPECT_EQ(FileModTime(file), t);
  }
  EXPECT_EQ(FileSize(file), 1234u);
  EXPECT_EQ(FileSize(m_dir.path()), std::nullopt);
  EXPECT_EQ(FileModTime(m_dir / "missing"), std::nullopt);
  EXPECT_FALSE(SetFileModTime(m_dir / "missing", 1));
  EXPECT_EQ(FileSize(m_dir / "missing"), std::nullopt);
  EXPECT_GT(FreeSpace(m_dir.path()).value_or(0), 0u);
  EXPECT_EQ(FreeSpace(m_dir / "missing"), std::nullopt);
}

TEST_F(FilesTest, AtomicWriteAndWholeRead) {
  // A deferred write differs only in when the bytes reach the disk: what a reader sees,
  // and what is left in the directory, must be the same.
  for (const Durability durability : {Durability::Flushed, Durability::Deferred}) {
    SCOPED_TRACE(durability == Durability::Flushed ? "flushed" : "deferred");
    const fs::path file = m_dir / "data.bin";
    const std::string binary("\0\x01\xff\r\n\0", 6);
    ASSERT_TRUE(WriteFileAtomically(file, "first", durability));
    ASSERT_TRUE(WriteFileAtomically(file, binary, durability));
    EXPECT_EQ(ReadWholeFile(file), binary);
    ASSERT_TRUE(WriteFileAtomically(file, "", durability));
    EXPECT_EQ(ReadWholeFile(file), "");
    EXPECT_FALSE(WriteFileAtomically(file / "below-a-file", "x", durability));
    EXPECT_FALSE(
        WriteFileAtomically(m_dir / "Projects", "a directory is not replaced", durability));
    EXPECT_TRUE(fs::is_directory(m_dir / "Projects"));
    EXPECT_EQ(ReadWholeFile(m_dir / "missing"), std::nullopt);
    EXPECT_EQ(ReadWholeFile(m_dir.path()), std::nullopt);
    EXPECT_EQ(ListDirectory(m_dir.path()).size(), 2u) << "a temporary file was left behind";
    EXPECT_TRUE(SyncFileSystemOf(file));
  }
  EXPECT_FALSE(SyncFileSystemOf(m_dir / "missing"));
}

TEST_F(FilesTest, WholeReadTakesOnlyRegularFiles) {
  EXPECT_EQ(ReadWholeFile("/dev/null"), std::nullopt);
  const fs::path fifo = m_dir / "Project.FW4.fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  auto read = std::async(std::launch::async, [&] { return ReadWholeFile(fifo); });
  if (read.wait_for(std::chrono::seconds(2)) != std::future_status::ready) {
    // Give the blocked reader a writer, so the test ends instead of hanging.
    const int writer = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
    if (writer >= 0) close(writer);
    ADD_FAILURE() << "reading a FIFO blocked";
  }
  EXPECT_EQ(read.get(), std::nullopt);
}

}  // namespace
}  // namespace zel::platform

namespace zel::platform {
namespace {

// The rename that places a finished directory never replaces what is there, even an
// empty directory a plain rename would silently take the place of.
TEST(RenameNoReplace, PlacesOnlyWhereNothingIs) {
  struct Case {
    const char* label;
    void (*prepareTarget)(const fs::path&);
    bool placed;
  };
  const Case cases[] = {
      {"nothing there", [](const fs::path&) {}, true},
      {"empty directory", [](const fs::path& to) { fs::create_directory(to); }, false},
      {"directory with a file",
       [](const fs::path& to) {
         fs::create_directory(to);
         WriteText(to / "mine", "mine");
       },
       false},
      {"file", [](const fs::path& to) { WriteText(to, "file"); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    test::TempDir dir;
    fs::create_directory(dir / "from");
    WriteText(dir / "from" / "new", "new");
    c.prepareTarget(dir / "to");
    EXPECT_EQ(RenameNoReplace(dir / "from", dir / "to"), c.placed);
    EXPECT_EQ(fs::exists(dir / "from"), !c.placed);
    EXPECT_EQ(fs::exists(dir / "to" / "new"), c.placed);
  }
}

}  // namespace
}  // namespace zel::platform
