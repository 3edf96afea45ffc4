// The fieldbus, strings driver and file command replies.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "access/driver_replies.h"
#include "access/file_replies.h"

namespace zel::access {
namespace {

TEST(DriverRepliesTest, FieldbusCountAndSlaves) {
  EXPECT_EQ(ReadFieldbusSlaveCount("=3"), 3);
  EXPECT_FALSE(ReadFieldbusSlaveCount("=-1").has_value());
  EXPECT_FALSE(ReadFieldbusSlaveCount("3").has_value());

  const struct {
    std::string reply;
    std::optional<FieldbusSlave> slave;
  } cases[] = {
      {"= 5 0 2 4", FieldbusSlave{5, 0, 2, 4}},
      {"=5 32 2 4", FieldbusSlave{5, 32, 2, 4}},
      {"=  5   0  2  4  ", FieldbusSlave{5, 0, 2, 4}},
      {"= 5 0 2", std::nullopt},
      {"= 5,0,2,4", std::nullopt},
      {"= 5 0 2 -4", std::nullopt},
      {" 5 0 2 4", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reply);
    EXPECT_EQ(ReadFieldbusSlave(c.reply), c.slave);
  }
  EXPECT_TRUE(ReadFieldbusSlave("= 5 0 2 4")->wordsShown());
  EXPECT_FALSE(ReadFieldbusSlave("= 5 32 2 4")->wordsShown());
  EXPECT_TRUE(ReadFieldbusSlave("= 5 16 2 4")->wordsShown());
}

TEST(DriverRepliesTest, StringsCountFromTheNinthCharacterAndTextBetweenDelimiters) {
  EXPECT_EQ(ReadStringCount("Strings: 12"), 12);
  EXPECT_EQ(ReadStringCount("STRINGS=7"), 7);
  EXPECT_FALSE(ReadStringCount("Strings:").has_value());
  EXPECT_FALSE(ReadStringCount("Strings: x").has_value());

  EXPECT_EQ(ReadStringValue("=\"hello\""), "hello");
  EXPECT_EQ(ReadStringValue("=<a\"b>"), "a\"b");
  EXPECT_EQ(ReadStringValue("=''"), "");
  EXPECT_FALSE(ReadStringValue("='").has_value());
  EXPECT_FALSE(ReadStringValue("x'a'").has_value());
  const std::string longText = "='" + std::string(200, 'x') + "'";
  EXPECT_EQ(ReadStringValue(longText)->size(), kMaxStringShown);
}

TEST(FileRepliesTest, DrivesDirectoriesAndFreeSpace) {
  EXPECT_EQ(ReadDrives("ACD"), "ACD");
  EXPECT_EQ(ReadDrives("ab"), "AB");
  EXPECT_FALSE(ReadDrives("").has_value());
  EXPECT_FALSE(ReadDrives("AB:").has_value());
  EXPECT_FALSE(ReadDrives("=A").has_value());

  EXPECT_EQ(ReadCurrentDirectory("=c:\\PROJ"), "C:\\PROJ");
  EXPECT_EQ(ReadCurrentDirectory("=A:\\"), "A:\\");
  EXPECT_FALSE(ReadCurrentDirectory("=A:").has_value());
  EXPECT_FALSE(ReadCurrentDirectory("=1:\\").has_value());
  EXPECT_FALSE(ReadCurrentDirectory("A:\\X").has_value());

  EXPECT_TRUE(IsBlankReply(" "));
  EXPECT_FALSE(IsBlankReply(""));
  EXPECT_FALSE(IsBlankReply("  "));

  EXPECT_EQ(ReadFreeSpace("=123456"), 123456);
  EXPECT_FALSE(ReadFreeSpace("=").has_value());
  EXPECT_FALSE(ReadFreeSpace("=-5").has_value());

  EXPECT_EQ(ReadDirectoryName("=PROJECT.RUN"), "PROJECT.RUN");
  EXPECT_EQ(ReadDirectoryName("=.."), "..");
  EXPECT_FALSE(ReadDirectoryName("No more files").has_value());
  EXPECT_FALSE(ReadDirectoryName("=").has_value());

  EXPECT_EQ(ReadFileExists("=1"), true);
  EXPECT_EQ(ReadFileExists("=0"), false);
  EXPECT_FALSE(ReadFileExists("=2").has_value());
  EXPECT_FALSE(ReadFileExists("1").has_value());
}

TEST(FileRepliesTest, FileStampsAndDirectoryEntries) {
  const struct {
    std::string reply;
    std::optional<FileStamp> stamp;
  } cases[] = {
      {"=1024,6.12.2026,16:38:09", FileStamp{1024, 6, 12, 2026, 16, 38, 9}},
      {"=0,31.1.1999,0:0:0", FileStamp{0, 31, 1, 1999, 0, 0, 0}},
      {"=1024,6.12.2026,16:38:09,more", FileStamp{1024, 6, 12, 2026, 16, 38, 9}},
      {"=1024,6.13.2026,16:38:09", std::nullopt},  // month 13
      {"=1024,0.12.2026,16:38:09", std::nullopt},
      {"=1024,6.12.2026,24:00:00", std::nullopt},
      {"=1024,6.12.2026,23:60:00", std::nullopt},
      {"=1024,6.12.2026,16:38", std::nullopt},
      {"=-1,6.12.2026,16:38:09", std::nullopt},
      {"=1024;6.12.2026,16:38:09", std::nullopt},
      {"=", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reply);
    EXPECT_EQ(ReadFileStamp(c.reply), c.stamp);
  }
  EXPECT_EQ(ReadDirectoryEntry("=1024,6.12.2026,16:38:09 PROJECT.RUN"),
            (DirectoryEntry{{1024, 6, 12, 2026, 16, 38, 9}, "PROJECT.RUN"}));
  EXPECT_EQ(ReadDirectoryEntry("=0,1.1.2000,0:0:0SUB")->name, "SUB");
  EXPECT_FALSE(ReadDirectoryEntry("=0,1.1.2000,0:0:0").has_value());

  EXPECT_EQ(SetFileTimeCommand("A:\\X.RUN", {0, 6, 12, 2026, 16, 8, 9}),
            "FTA:\\X.RUN,6.12.2026,16:8:9");
}

}  // namespace
}  // namespace zel::access
