#include "build/update_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "build/byte_order.h"
#include "build/byte_sink.h"
#include "build/run_file_writer.h"
#include "build/run_record.h"

namespace zel::build {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct Record {
  std::uint16_t type = 6;
  Bytes payload;
  bool checksum = true;
};

Bytes RunFile(const std::vector<Record>& records) {
  VectorSink sink;
  RunFileWriter writer(sink);
  for (const Record& record : records) {
    if (record.checksum) {
      writer.WriteRecord(record.type, record.payload);
    } else {
      writer.WriteWord(record.type);
      writer.WriteWord(static_cast<std::uint16_t>(record.payload.size()));
      writer.WriteBytes(record.payload);
    }
  }
  writer.WriteEnd();
  return sink.bytes();
}

Bytes Text(std::string_view text) {
  return Bytes(text.begin(), text.end());
}

// The update's operations: 'M' for a move (with its numbers), 'W' for a write.
struct Operation {
  char kind = 0;
  std::uint32_t a = 0;  // position or offset
  std::int64_t b = 0;   // shift or size
  std::uint32_t c = 0;  // tail length
  bool operator==(const Operation&) const = default;
  friend void PrintTo(const Operation& o, std::ostream* out) {
    *out << o.kind << '(' << o.a << ", " << o.b << ", " << o.c << ')';
  }
};

std::vector<Operation> Operations(const Bytes& update) {
  std::vector<Operation> operations;
  std::size_t at = 0;
  for (;;) {
    RecordReader reader(std::span<const std::uint8_t>(update).subspan(at));
    const auto record = reader.next();
    if (!record || record->isEnd()) break;
    at += record->size;
    if (record->type == 20) {
      operations.push_back({'M', DoubleWord(record->payload, 0),
                            static_cast<std::int32_t>(DoubleWord(record->payload, 4)),
                            DoubleWord(record->payload, 8)});
    } else {
      const std::uint32_t size = DoubleWord(record->payload, 4);
      operations.push_back({'W', DoubleWord(record->payload, 0), size, 0});
      at += size;
    }
  }
  return operations;
}

std::vector<Record> Project() {
  return {{4, {0x24, 0x02}, true},     {6, Text("BUILD=1700000000,Tue Nov 14 22:13:20 2023"), true},
          {13, Text("Demo"), true},    {6, Text("CZ0P00V1.VM1X.OBJ, time"), true},
          {1, Bytes(300, 0x11), true}, {6, Text("CZ0P01V1.VM1X.OBJ, time"), true},
          {1, Bytes(200, 0x22), true}, {7, Bytes(32, 0), true}};
}

TEST(MakeUpdateFile, EditsOfTheRecordSequence) {
  const Bytes old = RunFile(Project());
  const auto edited = [](void (*edit)(std::vector<Record>&)) {
    auto records = Project();
    edit(records);
    return RunFile(records);
  };
  // Offsets of the records of Project(): 0, 8, 55, 65, 94, 400, 429, 635, end at 673.
  struct Case {
    const char* name;
    Bytes newFile;
    std::vector<Operation> operations;
  };
  const Case cases[] = {
      {"identical files", old, {}},
      {"new build time only", edited([](auto& r) { r[1].payload[6] = '2'; }), {{'W', 8, 47, 0}}},
      {"first module grew by 10",
       edited([](auto& r) {
         r[1].payload[6] = '2';
         r[4].payload.resize(310, 0x33);
       }),
       {{'W', 8, 47, 0}, {'M', 400, 10, 277}, {'W', 94, 316, 0}}},
      {"last module shrank by 50",
       edited([](auto& r) { r[6].payload.resize(150); }),
       {{'M', 635, -50, 42}, {'W', 429, 156, 0}}},
      {"both modules changed size",
       edited([](auto& r) {
         r[4].payload.resize(310, 0x33);
         r[6].payload.resize(150);
       }),
       {{'M', 400, 10, 277}, {'W', 94, 316, 0}, {'M', 645, -50, 42}, {'W', 439, 156, 0}}},
      {"same payload, record now without checksum",
       edited([](auto& r) { r[2].checksum = false; }),
       {{'M', 65, -2, 612}, {'W', 55, 8, 0}}},
      {"same payload, stored checksum differs",
       [&] {
         Bytes file = old;
         file[59] ^= 1;  // the Demo record's checksum
         return file;
       }(),
       {{'W', 55, 10, 0}}},
  };
  for (const Case& c : cases) {
    const UpdateFileResult update = MakeUpdateFile(old, c.newFile);
    ASSERT_TRUE(update.ok) << c.name << ": " << update.message;
    EXPECT_EQ(Operations(update.bytes), c.operations) << c.name;
    EXPECT_TRUE(update.bytes.size() >= 4 &&
                std::equal(update.bytes.end() - 4, update.bytes.end(), Bytes(4, 0).begin()))
        << c.name;
    const UpdateFileResult applied = ApplyUpdateFile(old, update.bytes);
    ASSERT_TRUE(applied.ok) << c.name << ": " << applied.message;
    EXPECT_EQ(applied.bytes, c.newFile) << c.name;
  }
  EXPECT_EQ(MakeUpdateFile(old, old).bytes, Bytes(4, 0));
}

TEST(MakeUpdateFile, RefusesWhatAnUpdateCannotDo) {
  const Bytes old = RunFile(Project());
  const auto edited = [](void (*edit)(std::vector<Record>&)) {
    auto records = Project();
    edit(records);
    return RunFile(records);
  };
  Bytes trailing = old;
  trailing.push_back(0);
  Bytes cut = old;
  cut.resize(cut.size() - 1);
  struct Case {
    const char* name;
    Bytes oldFile;
    Bytes newFile;
    std::string_view message;
  };
  const Case cases[] = {
      {"module removed", old, edited([](auto& r) { r.erase(r.begin() + 5, r.begin() + 7); }),
       kMsgUpdateTooLarge},
      {"module added", old, edited([](auto& r) {
         r.insert(r.end() - 1, {{6, Text("x")}, {1, Bytes(5)}});
       }),
       kMsgUpdateTooLarge},
      {"records in another order", old, edited([](auto& r) { std::swap(r[4], r[5]); }),
       kMsgUpdateTooLarge},
      {"old file ends first", edited([](auto& r) { r.pop_back(); }), old, kMsgUpdateTooLarge},
      {"new file cut", old, cut, kMsgNewRunFileDamaged},
      {"old file cut", cut, old, kMsgOldRunFileDamaged},
      {"old file empty", {}, old, kMsgOldRunFileDamaged},
      {"bytes behind the new end", old, trailing, kMsgNewRunFileDamaged},
      {"bytes behind the old end", trailing, old, kMsgOldRunFileDamaged},
  };
  for (const Case& c : cases) {
    const UpdateFileResult update = MakeUpdateFile(c.oldFile, c.newFile);
    EXPECT_FALSE(update.ok) << c.name;
    EXPECT_EQ(update.message, c.message) << c.name;
  }
}

Bytes Move(std::uint32_t position, std::int32_t shift, std::uint32_t tail) {
  Bytes payload;
  AppendDoubleWord(payload, position);
  AppendDoubleWord(payload, static_cast<std::uint32_t>(shift));
  AppendDoubleWord(payload, tail);
  Bytes record = {0x14, 0x80, 14, 0};
  AppendWord(record, ByteSum(payload));
  record.insert(record.end(), payload.begin(), payload.end());
  return record;
}

Bytes Write(std::uint32_t offset, const Bytes& data, int checksumError = 0) {
  Bytes numbers;
  AppendDoubleWord(numbers, offset);
  AppendDoubleWord(numbers, static_cast<std::uint32_t>(data.size()));
  Bytes record = {0x15, 0x80, 10, 0};
  AppendWord(record, static_cast<std::uint16_t>(ByteSum(data, ByteSum(numbers)) + checksumError));
  record.insert(record.end(), numbers.begin(), numbers.end());
  record.insert(record.end(), data.begin(), data.end());
  return record;
}

Bytes Update(std::initializer_list<Bytes> records) {
  Bytes all;
  for (const Bytes& record : records) all.insert(all.end(), record.begin(), record.end());
  all.insert(all.end(), {0, 0, 0, 0});
  return all;
}

TEST(ApplyUpdateFile, FollowsOrRefusesEachOperation) {
  const Bytes old = {1, 2, 3, 4, 5, 6, 7, 8};
  Bytes badMove = Move(2, 1, 6);
  badMove[6] ^= 1;
  Bytes cutWrite = Write(0, {9, 9, 9});
  cutWrite.pop_back();
  struct Case {
    const char* name;
    Bytes update;
    bool ok;
    Bytes result;  // or the message
    std::string_view message;
  };
  const Case cases[] = {
      {"nothing to do", Update({}), true, old, ""},
      {"open a gap", Update({Move(2, 2, 6)}), true, {1, 2, 0, 0, 3, 4, 5, 6, 7, 8}, ""},
      {"close a gap", Update({Move(4, -2, 4)}), true, {1, 2, 5, 6, 7, 8}, ""},
      {"move and fill",
       Update({Move(2, 1, 6), Write(0, {9, 9, 9})}),
       true,
       {9, 9, 9, 3, 4, 5, 6, 7, 8},
       ""},
      {"write at the very end", Update({Write(6, {0, 0})}), true, {1, 2, 3, 4, 5, 6, 0, 0}, ""},
      {"tail past the end", Update({Move(2, 1, 7)}), false, {}, kMsgUpdateDoesNotFit},
      {"position past the end", Update({Move(9, 1, 0)}), false, {}, kMsgUpdateDoesNotFit},
      {"shift before the start", Update({Move(2, -3, 6)}), false, {}, kMsgUpdateDoesNotFit},
      {"file grows beyond any run file",
       Update({Move(0, 0x7FFFFFFF, 8)}),
       false,
       {},
       kMsgUpdateDoesNotFit},
      {"write past the end", Update({Write(6, {0, 0, 0})}), false, {}, kMsgUpdateDoesNotFit},
      {"move checksum wrong", Update({badMove}), false, {}, kMsgUpdateChecksum},
      {"write checksum wrong", Update({Write(0, {9}, 1)}), false, {}, kMsgUpdateChecksum},
      {"write data cut", cutWrite, false, {}, kMsgUpdateFileDamaged},
      {"no end", Write(0, {9}), false, {}, kMsgUpdateFileDamaged},
      {"empty", {}, false, {}, kMsgUpdateFileDamaged},
      {"bytes behind the end",
       [] {
         Bytes u = Update({});
         u.push_back(0);
         return u;
       }(),
       false,
       {},
       kMsgUpdateFileDamaged},
      {"run file record in an update",
       Update({{0x06, 0x80, 2, 0, 0, 0}}),
       false,
       {},
       kMsgUpdateFileDamaged},
      {"move without checksum",
       Update({{0x14, 0x00, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}}),
       false,
       {},
       kMsgUpdateFileDamaged},
  };
  for (const Case& c : cases) {
    const UpdateFileResult applied = ApplyUpdateFile(old, c.update);
    EXPECT_EQ(applied.ok, c.ok) << c.name;
    if (c.ok) {
      EXPECT_EQ(applied.bytes, c.result) << c.name;
    } else {
      EXPECT_EQ(applied.message, c.message) << c.name;
    }
  }
}

// Random run files, randomly edited without changing their record sequence: the update
// applied to the old file must give the new file, and it must carry exactly one write
// per changed record.
TEST(MakeUpdateFile, AppliedUpdateGivesTheNewFile) {
  std::mt19937 random(20261208);
  const auto below = [&](std::size_t n) {
    return static_cast<std::size_t>(std::uniform_int_distribution<std::size_t>(0, n - 1)(random));
  };
  const auto randomBytes = [&](std::size_t size) {
    Bytes bytes(size);
    for (auto& byte : bytes) byte = static_cast<std::uint8_t>(below(256));
    return bytes;
  };
  const std::uint16_t types[] = {1, 2, 3, 6, 9, 10, 13};
  for (int iteration = 0; iteration < 400; ++iteration) {
    std::vector<Record> records;
    const std::size_t count = below(12);
    for (std::size_t i = 0; i < count; ++i) {
      const std::uint16_t type = types[below(std::size(types))];
      const std::size_t size = type == 1 ? 128 + below(4000) : below(60);
      records.push_back({type, randomBytes(size), below(5) != 0});
    }
    std::vector<Record> changed = records;
    std::size_t changes = 0;
    for (Record& record : changed) {
      switch (below(4)) {
        case 0:
          break;
        case 1:
          if (!record.payload.empty()) {
            record.payload[below(record.payload.size())] ^=
                static_cast<std::uint8_t>(1 + below(255));
            ++changes;
          }
          break;
        case 2:
          record.payload.resize(record.payload.size() + 1 + below(300),
                                static_cast<std::uint8_t>(below(256)));
          ++changes;
          break;
        case 3:
          if (!record.payload.empty()) {
            record.payload.resize(below(record.payload.size()));
            ++changes;
          }
          break;
      }
    }
    const Bytes oldFile = RunFile(records);
    const Bytes newFile = RunFile(changed);
    const UpdateFileResult update = MakeUpdateFile(oldFile, newFile);
    ASSERT_TRUE(update.ok) << "iteration " << iteration << ": " << update.message;
    const auto operations = Operations(update.bytes);
    EXPECT_EQ(std::ranges::count(operations, 'W', &Operation::kind), changes)
        << "iteration " << iteration;
    const UpdateFileResult applied = ApplyUpdateFile(oldFile, update.bytes);
    ASSERT_TRUE(applied.ok) << "iteration " << iteration << ": " << applied.message;
    ASSERT_EQ(applied.bytes, newFile) << "iteration " << iteration;
  }
}

// The other tests tell failures apart by these constants; the words themselves are what
// the user reads in the message window and must stay as they are.
TEST(UpdateFileTexts, AreTheUsersWords) {
  EXPECT_EQ(kMsgUpdateTooLarge,
            "The difference of the current project\r\nand the last downloaded project\r\nis too "
            "large for an update.\r\n");
  EXPECT_EQ(kMsgCannotWriteRunFile, "ERROR: Cannot write to project run file\r\n");
}

}  // namespace
}  // namespace zel::build
