#include "archive/archive_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "archive/archive_listing.h"
#include "archive/archive_messages.h"
#include "platform/files.h"
#include "support/temp_dir.h"

namespace zel::archive {
namespace {

namespace fs = std::filesystem;

struct Recorded {
  std::string printed;
  std::vector<std::string> boxes;
  ArchiveReport report() {
    ArchiveReport r;
    r.print = [this](std::string_view text) { printed += text; };
    r.alert = [this](std::string_view text) { boxes.emplace_back(text); };
    return r;
  }
};

std::vector<std::string> Names(const ArchiveListing& listing) {
  std::vector<std::string> names;
  for (const ListedEntry& entry : listing.entries) names.push_back(entry.name);
  return names;
}

TEST(ArchiveWriter, NamesEntriesBelowTheBaseInTheGivenOrder) {
  test::TempDir dir;
  dir.writeFile("P/b.txt", "bee");
  dir.writeFile("P/sub/a.txt", "ay");
  dir.writeFile("elsewhere/c.txt", "sea");
  const fs::path zip = dir / "out.zip";
  Recorded recorded;
  const ArchiveResult result = WriteProjectArchive(
      zip, {dir / "P/b.txt", dir / "P/sub/a.txt", dir / "elsewhere/c.txt", dir / "P/none.txt"},
      dir / "P", "P,4.0.0", ArchiveMode::StopAtFailedEntry, recorded.report());
  EXPECT_TRUE(result.written);
  EXPECT_EQ(result.errors, 0);
  EXPECT_EQ(recorded.printed, "");
  const auto listing = ListArchive(zip);
  ASSERT_TRUE(listing);
  // A file outside the base goes in by its name; a missing one leaves an empty entry.
  EXPECT_EQ(Names(*listing), (std::vector<std::string>{"b.txt", "sub/a.txt", "c.txt", "none.txt"}));
  for (const ListedEntry& entry : listing->entries) EXPECT_EQ(entry.method, 8);
  EXPECT_EQ(listing->comment, "P,4.0.0");
  EXPECT_EQ(ReadArchiveEntry(zip, "sub/a.txt"), "ay");
  EXPECT_EQ(ReadArchiveEntry(zip, "none.txt"), "");
  EXPECT_FALSE(fs::exists(dir / "out.zip.part"));
}

// A file that exists and cannot be read (a directory; a device, which is never a
// project's file) fails its entry. The build's
// mode prints the message and stops; the backup's shows it and goes on to the next file.
// Either way the older archive of the same name stays as it was.
TEST(ArchiveWriter, AFailedArchiveNeverReplacesTheOlderOne) {
  struct Case {
    ArchiveMode mode;
    std::string printed;
    std::vector<std::string> boxes;
  };
  const std::string message(kMsgCouldNotWrite);
  const std::string boxed = "ERROR: Could not write Project.ZIP.";
  const Case cases[] = {
      {ArchiveMode::StopAtFailedEntry, message + message, {}},
      {ArchiveMode::GoOnAfterFailedEntry, "", {boxed, boxed}},
  };
  for (const Case& c : cases) {
    test::TempDir dir;
    dir.writeFile("P/a.txt", "a");
    dir.writeFile("P/d1/x", "x");
    dir.writeFile("out.zip", "the older archive");
    Recorded recorded;
    const ArchiveResult result =
        WriteProjectArchive(dir / "out.zip", {dir / "P/a.txt", dir / "P/d1", "/dev/null"},
                            dir / "P", "P,1", c.mode, recorded.report());
    EXPECT_FALSE(result.written);
    EXPECT_EQ(result.errors, 2);
    EXPECT_EQ(recorded.printed, c.printed);
    EXPECT_EQ(recorded.boxes, c.boxes);
    EXPECT_EQ(dir.readFile("out.zip"), "the older archive");
    EXPECT_FALSE(fs::exists(dir / "out.zip.part"));
  }
}

TEST(ArchiveWriter, AnArchiveThatCannotBeCreatedIsTold) {
  test::TempDir dir;
  dir.writeFile("a.txt", "a");
  Recorded recorded;
  const ArchiveResult result =
      WriteProjectArchive(dir / "missing/out.zip", {dir / "a.txt"}, dir.path(), "",
                          ArchiveMode::StopAtFailedEntry, recorded.report());
  EXPECT_FALSE(result.written);
  EXPECT_EQ(recorded.printed, std::string(kMsgCouldNotCreate));
}

}  // namespace
}  // namespace zel::archive
