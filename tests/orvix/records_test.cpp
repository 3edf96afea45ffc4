// The record readers: fields are never read past, short records end the reading.

#include <gtest/gtest.h>

#include "orvix/v3_fixture.h"
#include "tools/orvix/v3_records.h"

namespace zel::orvix {
namespace {

using test::Counted;
using test::Record;

TEST(CountedString, StaysWithinItsFieldAndRecord) {
  struct Case {
    std::string record;
    std::size_t offset;
    std::size_t capacity;
    std::string expected;
  };
  const Case cases[] = {
      {"\x03"
       "abcdef",
       0, 5, "abc"},
      {"\x09"
       "abcdef",
       0, 4, "abcd"},  // length beyond the field
      {"\xFF"
       "abc",
       0, 40, "abc"},  // length beyond the record
      {"xx\x02"
       "yz",
       2, 3, "yz"},
      {"xx\x02", 2, 3, ""},  // the record ends after the length byte
      {"xx", 2, 3, ""},      // and before it
      {"xx", 7, 3, ""},
      {std::string("\0abc", 4), 0, 3, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CountedString(c.record, c.offset, c.capacity), c.expected)
        << "record " << c.record.size() << " bytes, offset " << c.offset;
  }
}

TEST(WholeRecords, LeaveOutAShortTail) {
  struct Case {
    std::size_t bytes;
    std::size_t size;
    std::size_t records;
  };
  const Case cases[] = {{0, 10, 0}, {9, 10, 0}, {10, 10, 1}, {25, 10, 2}, {30, 10, 3}, {5, 0, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(WholeRecords(std::string(c.bytes, 'r'), c.size).size(), c.records)
        << c.bytes << " bytes of " << c.size;
  }
}

TEST(KonfigFile, GivesThePathOfThe16thRecordWithoutItsLastCharacter) {
  struct Case {
    std::string data;
    std::optional<std::string> expected;
  };
  const std::string fifteen = test::KonfigFile("x").substr(0, 15 * 41);
  const Case cases[] = {
      {test::KonfigFile("C:\\ZEL3\\PROJ\\"), "C:\\ZEL3\\PROJ"},
      {test::KonfigFile("projects/"), "projects"},
      {test::KonfigFile(""), std::nullopt},  // nothing to take a character from
      {test::KonfigFile("\\"), std::nullopt},
      {fifteen, std::nullopt},
      {fifteen + std::string(40, ' '), std::nullopt},  // the 16th record is short
      {fifteen + Record(41, {{0, Counted(std::string(45, 'p'), 40, 200)}}), std::string(39, 'p')},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadKonfigProjectsPath(c.data), c.expected) << c.data.size() << " bytes";
  }
}

TEST(ProjectList, ReadsNamesAndCommentsUntilAShortRecord) {
  const std::string data = test::ProjectListRecord("PLANT", "Pump") +
                           test::ProjectListRecord(std::string(25, 'N'), std::string(70, 'c')) +
                           test::ProjectListRecord("LOST", "short").substr(0, 82);
  const auto list = ReadProjectList(data);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].name, "PLANT");
  EXPECT_EQ(list[0].comment, "Pump");
  EXPECT_EQ(list[1].name, std::string(20, 'N'));
  EXPECT_EQ(list[1].comment, std::string(61, 'c'));
}

TEST(ModuleList, ReadsEachField) {
  const std::string data = test::ModuleRecordBytes("CZ0P01V1", "AWL", true, "Main") +
                           test::ModuleRecordBytes("CZ0B02V1TOOLONG", "OBJX", false, "");
  const auto modules = ReadModuleList(data);
  ASSERT_EQ(modules.size(), 2u);
  EXPECT_EQ(modules[0].baseName, "CZ0P01V1");
  EXPECT_EQ(modules[0].extension, "AWL");
  EXPECT_TRUE(modules[0].selected);
  EXPECT_EQ(modules[0].comment, "Main");
  EXPECT_EQ(modules[1].baseName, "CZ0B02V1");
  EXPECT_EQ(modules[1].extension, "OBJ");
  EXPECT_FALSE(modules[1].selected);
}

TEST(IoAndDriverFiles, ReadTheirFields) {
  const auto io = ReadIoConfiguration(test::IoRecordBytes("DE16", "12", "345", "6789") + "tail");
  ASSERT_EQ(io.size(), 1u);
  EXPECT_EQ(io[0].module, "DE16");
  EXPECT_EQ(io[0].switchPosition, "12");
  EXPECT_EQ(io[0].iw, "345");
  EXPECT_EQ(io[0].ow, "678");
  const auto drivers = ReadDriverNames(test::DriverRecord("PROFI") +
                                       Record(10, {{0, Counted("ABCDEFGHIJK", 9, 255)}}) + "SHORT");
  EXPECT_EQ(drivers, (std::vector<std::string>{"PROFI", "ABCDEFGHI"}));
  const auto texts = ReadRunModeTexts(test::RunModeRecord("J") + test::RunModeRecord("") + "x");
  EXPECT_EQ(texts, (std::vector<std::string>{"J", ""}));
}

TEST(AllocationList, ConvertsSymbolAndCommentAndKeeps36CommentCharacters) {
  struct Case {
    std::string record;
    int commentLength;    // the length byte written
    std::string symbol;   // bytes 11..19 after the conversion
    std::string comment;  // bytes 21..56
  };
  const std::string oem = "\x8E\x99\x9A";  // "ÄÖÜ" in code page 850
  const Case cases[] = {
      {test::AllocationRecord("E0.0", oem, oem), 3, "\xC4\xD6\xDC" + std::string(6, ' '),
       "\xC4\xD6\xDC" + std::string(33, ' ')},
      {test::AllocationRecord("E0.1", "S", std::string(43, 'k')), 36, "S" + std::string(8, ' '),
       std::string(36, 'k')},
      {test::AllocationRecord("E0.2", "", "", 0), 0, std::string(9, ' '), std::string(36, ' ')},
  };
  for (const Case& c : cases) {
    const std::string out = ConvertAllocationList(c.record);
    ASSERT_EQ(out.size(), 64u);
    EXPECT_EQ(out.substr(0, 10), c.record.substr(0, 10));
    EXPECT_EQ(out.substr(11, 9), c.symbol);
    EXPECT_EQ(static_cast<unsigned char>(out[20]), c.commentLength);
    EXPECT_EQ(out.substr(21, 36), c.comment);
    EXPECT_EQ(out[57], '\0');
    EXPECT_EQ(out[63], ' ');
  }
  EXPECT_EQ(ConvertAllocationList(std::string(63, 'x')), "");
}

}  // namespace
}  // namespace zel::orvix
