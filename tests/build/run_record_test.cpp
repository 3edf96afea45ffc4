#include "build/run_record.h"

#include <gtest/gtest.h>

#include <vector>

#include "build/byte_order.h"
#include "build/compiled_module.h"

namespace zel::build {
namespace {

std::vector<std::uint8_t> Record(std::uint16_t type, std::vector<std::uint8_t> payload,
                                 bool checksum) {
  std::vector<std::uint8_t> bytes;
  AppendWord(bytes, checksum ? static_cast<std::uint16_t>(type | kChecksumFlag) : type);
  AppendWord(bytes, static_cast<std::uint16_t>(payload.size() + (checksum ? 2 : 0)));
  if (checksum) AppendWord(bytes, ByteSum(payload));
  bytes.insert(bytes.end(), payload.begin(), payload.end());
  return bytes;
}

TEST(RecordReader, ReadsBothFramesAndTheEnd) {
  std::vector<std::uint8_t> file = Record(6, {'A', 0}, true);
  const auto plain = Record(13, {'P', 'R', 0}, false);
  file.insert(file.end(), plain.begin(), plain.end());
  file.insert(file.end(), {0, 0, 0, 0});

  RecordReader reader(file, true);
  const auto text = reader.next();
  ASSERT_TRUE(text);
  EXPECT_EQ(text->type, 6);
  EXPECT_TRUE(text->hasChecksum);
  EXPECT_EQ(text->size, 8u);
  EXPECT_EQ(text->payload.size(), 2u);
  EXPECT_EQ(text->checksum, 'A');
  const auto name = reader.next();
  ASSERT_TRUE(name);
  EXPECT_FALSE(name->hasChecksum);
  EXPECT_EQ(name->offset, 8u);
  EXPECT_EQ(name->payload.size(), 3u);
  const auto end = reader.next();
  ASSERT_TRUE(end);
  EXPECT_TRUE(end->isEnd());
  EXPECT_FALSE(reader.next());
  EXPECT_EQ(reader.fault(), RecordFault::None);
}

TEST(RecordReader, RefusesFramesThatDoNotFit) {
  struct Case {
    const char* name;
    std::vector<std::uint8_t> file;
    bool verify;
    RecordFault fault;
  };
  const Case cases[] = {
      {"three bytes", {0x06, 0x00, 0x02}, false, RecordFault::Truncated},
      {"length past the end", {0x06, 0x00, 0x05, 0x00, 'A', 'B'}, false, RecordFault::Truncated},
      {"checksum record of length 1",
       {0x06, 0x80, 0x01, 0x00, 0x00},
       false,
       RecordFault::LengthTooShort},
      {"checksum record of length 0", {0x06, 0x80, 0x00, 0x00}, false, RecordFault::LengthTooShort},
      {"wrong checksum",
       {0x06, 0x80, 0x03, 0x00, 0x42, 0x00, 0x41},
       true,
       RecordFault::ChecksumMismatch},
      {"largest length", {0x01, 0x80, 0xFF, 0xFF, 0, 0}, false, RecordFault::Truncated},
  };
  for (const Case& c : cases) {
    RecordReader reader(c.file, c.verify);
    EXPECT_FALSE(reader.next()) << c.name;
    EXPECT_EQ(reader.fault(), c.fault) << c.name;
    EXPECT_FALSE(reader.next()) << c.name << ": a fault ends the reading";
  }
}

TEST(RecordReader, ChecksumIsUnverifiedUnlessAsked) {
  const std::vector<std::uint8_t> file = {0x06, 0x80, 0x03, 0x00, 0x42, 0x00, 0x41};
  RecordReader reader(file);
  const auto record = reader.next();
  ASSERT_TRUE(record);
  EXPECT_FALSE(record->checksumMatches());
}

std::vector<std::uint8_t> Header(std::uint16_t first, std::uint16_t language, std::uint16_t minor,
                                 std::uint16_t major) {
  std::vector<std::uint8_t> bytes;
  for (std::uint16_t word : {first, language, minor, major}) AppendWord(bytes, word);
  bytes.resize(kModuleHeaderSize, 0);
  return bytes;
}

TEST(CompiledModule, ValidityTest) {
  struct Case {
    std::uint16_t first, language, minor, major;
    bool valid;
  };
  const Case cases[] = {
      {0x7EEB, 0, 0x24, 2, true},  {0x7E00, 2, 0x10, 2, true},  {0x7EEB, 1, 0x99, 2, true},
      {0x7FEB, 0, 0x24, 2, false}, {0xEB7E, 0, 0x24, 2, false}, {0x7EEB, 3, 0x24, 2, false},
      {0x7EEB, 0, 0x0F, 2, false}, {0x7EEB, 0, 0x9A, 2, false}, {0x7EEB, 0, 0x24, 3, false},
  };
  for (const Case& c : cases) {
    const auto header = ReadModuleHeader(Header(c.first, c.language, c.minor, c.major));
    ASSERT_TRUE(header);
    EXPECT_EQ(IsCompiledModule(*header), c.valid)
        << std::hex << c.first << " " << c.language << " " << c.minor << " " << c.major;
  }
  EXPECT_FALSE(ReadModuleHeader(std::vector<std::uint8_t>(127, 0)));
}

TEST(CompiledModule, UsageNeedsEveryRecord) {
  auto file = Header(0x7EEB, 0, 0x24, 2);
  file[24] = kModuleHeaderSize;  // no code
  file.resize(kModuleHeaderSize + kUsageMapSize + 400, 0);
  file[kModuleHeaderSize + kUsageMapSize] = 1;  // CMP 0 called
  AppendWord(file, 2);                          // two fieldbus references
  file.insert(file.end(), {7, 3, 4, 2, 9, 1, 0, 6});
  auto header = ReadModuleHeader(file);
  ASSERT_TRUE(header);
  const auto usage = ReadModuleUsage(file, *header);
  ASSERT_TRUE(usage);
  EXPECT_EQ(usage->cmp[0], 1);
  ASSERT_EQ(usage->fieldbus.size(), 2u);
  EXPECT_EQ(usage->fieldbus[1].slave, 9);
  EXPECT_EQ(usage->fieldbus[1].outputs, 6);

  file.pop_back();  // the last reference is cut short
  EXPECT_FALSE(ReadModuleUsage(file, *header));
  file[24] = 0xFF;  // the map would start past the end
  file[25] = 0xFF;
  header = ReadModuleHeader(file);
  EXPECT_FALSE(ReadModuleUsage(file, *header));
  file[2] = 2;  // C modules carry none
  header = ReadModuleHeader(file);
  EXPECT_FALSE(ReadModuleUsage(file, *header));
}

}  // namespace
}  // namespace zel::build
