// The "C.BEL" record format, loading, saving and the lookups of the allocation list.

#include "stl/alloc/allocation_list.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace zel::stl {
namespace {

using test::TempDir;

AllocationEntry Entry(std::string_view stored, std::string symbol, std::string comment) {
  AllocationEntry entry;
  EXPECT_TRUE(StoredToDisplay(stored, entry.operand)) << stored;
  entry.symbol = std::move(symbol);
  entry.comment = std::move(comment);
  return entry;
}

// A record as another tool may have written it: lengths as given, fields as given.
std::string RawRecord(std::string_view op, int opLength, std::string_view symbol, int symLength,
                      std::string_view comment, int commentLength) {
  std::string record(kAllocationRecordSize, ' ');
  record[0] = static_cast<char>(opLength);
  record.replace(1, op.size(), op);
  record[10] = static_cast<char>(symLength);
  record.replace(11, symbol.size(), symbol);
  record[20] = static_cast<char>(commentLength);
  record.replace(21, comment.size(), comment);
  return record;
}

TEST(AllocationRecord, LayoutIsBlankFilledWithTerminatorAt57) {
  const std::string record = EncodeAllocationRecord(Entry("E0.0", "START", "Start button"));
  std::string expected(64, ' ');
  expected.replace(0, 5,
                   "\x04"
                   "E0.0");
  expected.replace(10, 6, "\x05START");
  expected.replace(20, 13, "\x0CStart button");
  expected[57] = '\0';
  EXPECT_EQ(record, expected);
}

TEST(AllocationRecord, LongTextsAreCutToTheirFields) {
  AllocationEntry entry = Entry("E0.0", "SYMBOL_TOO_LONG", std::string(50, 'c'));
  const std::string record = EncodeAllocationRecord(entry);
  ASSERT_EQ(record.size(), 64u);
  EXPECT_EQ(record[10], 9);
  EXPECT_EQ(record.substr(11, 9), "SYMBOL_TO");
  EXPECT_EQ(record[20], 36);
  EXPECT_EQ(record.substr(21, 36), std::string(36, 'c'));
  EXPECT_EQ(record[57], '\0');
  EXPECT_EQ(record.substr(58), "      ");
  const auto back = DecodeAllocationRecord(record);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->symbol, "SYMBOL_TO");
  EXPECT_EQ(back->comment, std::string(36, 'c'));
}

TEST(AllocationRecord, ReadingHonoursStoredLengthsAndNeverLeavesAField) {
  struct Case {
    std::string record;
    std::optional<std::string> symbol;  // nothing: the record is refused
    std::string comment;
  };
  const std::string forty(40, 'x');
  const Case cases[] = {
      {RawRecord("A1.2", 4, "PUMP", 4, forty, 40), "PUMP", forty},
      {RawRecord("A1.2", 4, "", 0, "", 0), "", ""},
      {RawRecord("A1.2", 4, "", 0, std::string(43, 'y'), 43), "", std::string(43, 'y')},
      // Lengths beyond their fields stop at the field's end.
      {RawRecord("A1.2", 4, "ABCDEFGHI", 200, "", 0), "ABCDEFGHI", ""},
      {RawRecord("A1.2", 4, "", 0, std::string(43, 'z'), 255), "", std::string(43, 'z')},
      {RawRecord("", 0, "", 0, "", 0), std::nullopt, ""},  // empty operand
      {RawRecord("E1.2", 4, "", 0, "", 0), "", ""},
      {RawRecord("E0.16", 5, "", 0, "", 0), std::nullopt, ""},   // out of range
      {RawRecord("E0.0", 3, "", 0, "", 0), std::nullopt, ""},    // length cuts the bit off
      {RawRecord("E0.0", 200, "", 0, "", 0), std::nullopt, ""},  // blanks of the field follow
      {RawRecord("I0.0", 4, "", 0, "", 0), std::nullopt, ""},    // display notation
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.record.substr(0, 10));
    const auto entry = DecodeAllocationRecord(c.record);
    EXPECT_EQ(entry.has_value(), c.symbol.has_value());
    if (!entry || !c.symbol) continue;
    EXPECT_EQ(entry->symbol, *c.symbol);
    EXPECT_EQ(entry->comment, c.comment);
  }
  EXPECT_FALSE(DecodeAllocationRecord(RawRecord("A1.2", 4, "", 0, "", 0).substr(0, 63)));
}

TEST(AllocationRecord, DecodedEntryCarriesBothNotationsAndTheNumbers) {
  const auto entry = DecodeAllocationRecord(RawRecord("E1.2.3", 6, "X", 1, "", 0));
  ASSERT_TRUE(entry);
  EXPECT_EQ(entry->operand.display, "I1.2.3");
  EXPECT_EQ(entry->operand.classIndex, OperandClass::Input);
  EXPECT_EQ(entry->operand.first, 1);
  EXPECT_EQ(entry->operand.second, 2);
  EXPECT_EQ(entry->operand.third, 3);
}

class AllocationListFile : public ::testing::Test {
 protected:
  std::filesystem::path file() const { return m_dir / kAllocationListFile; }
  TempDir m_dir;
};

TEST_F(AllocationListFile, MissingFileFailsWithAnEmptyList) {
  AllocationList list;
  list.append(Entry("E0.0", "A", ""));
  list.setEditedEntry(0);
  EXPECT_FALSE(list.load(file()));
  EXPECT_EQ(list.size(), 0u);
  EXPECT_FALSE(list.editedEntry());
  EXPECT_EQ(list.path(), file());
}

TEST_F(AllocationListFile, ShortTailIsIgnored) {
  const std::string a = RawRecord("E0.0", 4, "A", 1, "one", 3);
  const std::string b = RawRecord("A0.0", 4, "B", 1, "two", 3);
  m_dir.writeFile(kAllocationListFile, a + b + "xx");  // 130 bytes
  AllocationList list;
  EXPECT_TRUE(list.load(file()));
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list.at(1).comment, "two");
}

TEST_F(AllocationListFile, LoadingStopsAtTheFirstInvalidOperandKeepingWhatCameBefore) {
  m_dir.writeFile(kAllocationListFile, RawRecord("E0.0", 4, "A", 1, "", 0) +
                                           RawRecord("", 0, "", 0, "", 0) +
                                           RawRecord("A0.0", 4, "B", 1, "", 0));
  AllocationList list;
  EXPECT_FALSE(list.load(file()));
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list.at(0).symbol, "A");
}

TEST_F(AllocationListFile, FortyCharacterCommentLoadsWholeAndKeeps36AfterSaving) {
  const std::string forty = "0123456789012345678901234567890123456789";
  m_dir.writeFile(kAllocationListFile, RawRecord("MW1", 3, "S", 1, forty, 40));
  AllocationList list;
  ASSERT_TRUE(list.load(file()));
  EXPECT_EQ(list.at(0).comment, forty);
  ASSERT_TRUE(list.save());
  EXPECT_EQ(m_dir.readFile(kAllocationListFile).size(), 64u);
  ASSERT_TRUE(list.load(file()));
  EXPECT_EQ(list.at(0).comment, forty.substr(0, 36));
}

TEST_F(AllocationListFile, SaveWritesEveryEntryInListOrderAndLoadsBack) {
  AllocationList list;
  list.setPath(file());
  list.append(Entry("A0.0", "PUMP1", "Pump 1"));
  list.append(Entry("E0.0", "", ""));
  list.append(Entry("@$FF", "MASK", "\xC4nderung"));
  ASSERT_TRUE(list.save());
  const std::string bytes = m_dir.readFile(kAllocationListFile);
  ASSERT_EQ(bytes.size(), 3 * 64u);
  EXPECT_EQ(bytes.substr(64, 64), EncodeAllocationRecord(list.at(1)));
  AllocationList again;
  ASSERT_TRUE(again.load(file()));
  EXPECT_EQ(again.entries().size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(again.at(i).operand, list.at(i).operand);
    EXPECT_EQ(again.at(i).symbol, list.at(i).symbol);
    EXPECT_EQ(again.at(i).comment, list.at(i).comment);
  }
}

TEST_F(AllocationListFile, FailedSaveReportsFailureAndKeepsTheList) {
  m_dir.writeFile(kAllocationListFile, RawRecord("E0.0", 4, "OLD", 3, "", 0));
  AllocationList list;
  ASSERT_TRUE(list.load(file()));
  list.append(Entry("A0.0", "NEW", ""));
  // Something that cannot be replaced now holds the name.
  std::filesystem::remove(file());
  m_dir.writeFile(std::filesystem::path(kAllocationListFile) / "inside", "x");
  EXPECT_FALSE(list.save());
  EXPECT_EQ(m_dir.readFile(std::filesystem::path(kAllocationListFile) / "inside"), "x");
  EXPECT_EQ(list.size(), 2u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir.path()), {}), 1)
      << "a temporary file was left behind";
}

TEST_F(AllocationListFile, SaveWithoutAPathFails) {
  AllocationList list;
  list.append(Entry("E0.0", "", ""));
  EXPECT_FALSE(list.save());
}

TEST(AllocationListFind, WithoutRegardToCaseSkippingTheEditedEntry) {
  AllocationList list;
  list.append(Entry("A0.0", "Pump", ""));
  list.append(Entry("E0.0", "\xC4pfel", ""));
  list.append(Entry("A0.1", "", ""));
  EXPECT_EQ(list.findByOperand("a0.0"), &list.at(0));
  EXPECT_EQ(list.findByOperand("A0.1"), &list.at(2));
  EXPECT_EQ(list.findByOperand("A0.2"), nullptr);
  EXPECT_EQ(list.findBySymbol("PUMP"), &list.at(0));
  EXPECT_EQ(list.findBySymbol("\xE4PFEL"), &list.at(1));  // accented letters fold too
  EXPECT_EQ(list.findBySymbol(""), nullptr);              // the entry without a symbol is not found
  list.setEditedEntry(0);
  EXPECT_EQ(list.findByOperand("A0.0"), nullptr);
  EXPECT_EQ(list.findBySymbol("pump"), nullptr);
  EXPECT_EQ(list.findBySymbol("\xC4pfel"), &list.at(1));
}

TEST(AllocationListFind, EditedEntryFollowsRemovals) {
  AllocationList list;
  list.append(Entry("A0.0", "X", ""));
  list.append(Entry("A0.1", "Y", ""));
  list.append(Entry("A0.2", "Z", ""));
  list.setEditedEntry(2);
  list.remove(0);
  EXPECT_EQ(list.editedEntry(), 1u);
  EXPECT_EQ(list.findBySymbol("Z"), nullptr);
  list.remove(1);
  EXPECT_FALSE(list.editedEntry());
  list.remove(7);  // out of range: nothing happens
  EXPECT_EQ(list.size(), 1u);
}

}  // namespace
}  // namespace zel::stl
