#include "build/run_file_writer.h"

#include <gtest/gtest.h>

#include <vector>

#include "build/byte_sink.h"
#include "build/run_file_records.h"

namespace zel::build {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

Bytes TextBytes(std::string_view text) {
  Bytes bytes(text.begin(), text.end());
  bytes.push_back(0);
  return bytes;
}

// A record with a checksum, framed by hand: the sum here is computed byte by byte.
Bytes Framed(std::uint16_t type, const Bytes& payload) {
  unsigned sum = 0;
  for (std::uint8_t byte : payload) sum += byte;
  const auto length = static_cast<unsigned>(payload.size() + 2);
  Bytes bytes = {static_cast<std::uint8_t>(type),   static_cast<std::uint8_t>(0x80 | (type >> 8)),
                 static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(length >> 8),
                 static_cast<std::uint8_t>(sum),    static_cast<std::uint8_t>(sum >> 8)};
  bytes.insert(bytes.end(), payload.begin(), payload.end());
  return bytes;
}

TEST(RunFileWriter, WritesTheFramesByteForByte) {
  struct Case {
    const char* name;
    void (*write)(RunFileWriter&);
    Bytes expected;
  };
  const Case cases[] = {
      {"version record",
       [](RunFileWriter& w) {
         w.WriteRecord(4, std::vector<std::uint8_t>{0x24, 0x02});
       },
       {0x04, 0x80, 0x04, 0x00, 0x26, 0x00, 0x24, 0x02}},
      {"text record carries its NUL",
       [](RunFileWriter& w) { w.WriteTextRecord(6, "AB"); },
       {0x06, 0x80, 0x05, 0x00, 0x83, 0x00, 'A', 'B', 0x00}},
      {"empty text",
       [](RunFileWriter& w) { w.WriteTextRecord(14, ""); },
       {0x0E, 0x80, 0x03, 0x00, 0x00, 0x00, 0x00}},
      {"end record", [](RunFileWriter& w) { w.WriteEnd(); }, {0, 0, 0, 0}},
      {"sum wraps at 65536",
       [](RunFileWriter& w) { w.WriteRecord(6, std::vector<std::uint8_t>(300, 0xFF)); },
       Framed(6, Bytes(300, 0xFF))},
      {"checksum covers words and bytes written between begin and end",
       [](RunFileWriter& w) {
         w.WriteWord(0x8001);
         w.WriteWord(6);
         w.BeginChecksum();
         w.WriteWord(0x0102);
         w.WriteBytes(std::vector<std::uint8_t>{0x10, 0x20});
         w.EndChecksum();
       },
       {0x01, 0x80, 0x06, 0x00, 0x33, 0x00, 0x02, 0x01, 0x10, 0x20}},
  };
  for (const Case& c : cases) {
    VectorSink sink;
    RunFileWriter writer(sink);
    c.write(writer);
    EXPECT_EQ(sink.bytes(), c.expected) << c.name;
    EXPECT_FALSE(writer.failed()) << c.name;
  }
}

TEST(RunFileWriter, RefusesAPayloadBeyondTheLengthField) {
  VectorSink sink;
  RunFileWriter writer(sink);
  EXPECT_TRUE(writer.WriteRecord(6, Bytes(65533, 1)));
  const std::size_t written = sink.size();
  EXPECT_EQ(written, 65533u + 6);
  EXPECT_FALSE(writer.WriteRecord(6, Bytes(65534, 1)));
  EXPECT_EQ(sink.size(), written) << "nothing of a refused record is written";
}

TEST(RunFileWriter, HeadAndModeMakeASmallRunFile) {
  RunFileHead head;
  head.buildTime = 1700000000;
  head.buildTimeText = "Tue Nov 14 22:13:20 2023\n";
  head.projectName = "Demo";
  head.controllerType = "VM1X";
  head.user = "";
  head.productVersion = "4.1";
  VectorSink sink;
  RunFileWriter writer(sink);
  WriteHeadRecords(writer, head);
  RuntimeMode mode;
  mode.flags |= kModeAutoStart;
  WriteRuntimeModeRecord(writer, mode);
  writer.WriteEnd();

  Bytes modeBytes(32, 0);
  modeBytes[0] = 0x0D;
  modeBytes[6] = modeBytes[7] = 0xFF;
  const Bytes expected = Concat({
      {0x04, 0x80, 0x04, 0x00, 0x26, 0x00, 0x24, 0x02},
      Framed(8, TextBytes(kRunFileIdentification)),
      Framed(6, TextBytes("BUILD=1700000000,Tue Nov 14 22:13:20 2023")),
      Framed(13, TextBytes("Demo")),
      Framed(6, TextBytes("TARGET=VM1X")),
      Framed(6, TextBytes("USER=UNKNOWN")),
      Framed(6, TextBytes("PSE=4.1")),
      {0x07, 0x80, 0x22, 0x00, 0x0B, 0x02},
      modeBytes,
      {0, 0, 0, 0},
  });
  EXPECT_EQ(sink.bytes(), expected);
}

TEST(RunFileWriter, PasswordRecordOnlyWithAPassword) {
  for (const std::string password : {"", "secret"}) {
    RunFileHead head;
    head.password = password;
    VectorSink sink;
    RunFileWriter writer(sink);
    WriteHeadRecords(writer, head);
    const Bytes record = Framed(14, TextBytes(password));
    const bool present = std::search(sink.bytes().begin(), sink.bytes().end(), record.begin(),
                                     record.end()) != sink.bytes().end();
    EXPECT_EQ(present, !password.empty()) << password;
  }
}

// Takes `capacity` bytes, then refuses; patches fail when `patchFails`.
class FailingSink : public ByteSink {
 public:
  FailingSink(std::size_t capacity, bool patchFails)
      : m_capacity(capacity), m_patchFails(patchFails) {}
  bool append(std::span<const std::uint8_t> bytes) override {
    if (m_size + bytes.size() > m_capacity) return false;
    m_size += bytes.size();
    return true;
  }
  bool patch(std::size_t, std::span<const std::uint8_t>) override { return !m_patchFails; }
  std::size_t size() const override { return m_size; }

 private:
  std::size_t m_capacity;
  bool m_patchFails;
  std::size_t m_size = 0;
};

TEST(RunFileWriter, FirstFailedWriteIsReportedOnce) {
  struct Case {
    const char* name;
    std::size_t capacity;
    bool patchFails;
    bool failed;
  };
  const Case cases[] = {
      {"room for all", 1000, false, false},
      {"disk full in the third record", 20, false, true},
      {"checksum cannot be put back", 1000, true, true},
      {"nothing can be written", 0, false, true},
  };
  for (const Case& c : cases) {
    FailingSink sink(c.capacity, c.patchFails);
    TextLog log;
    RunFileWriter writer(sink, &log);
    for (int i = 0; i < 5; ++i) writer.WriteTextRecord(6, "record");
    writer.WriteEnd();
    EXPECT_EQ(writer.failed(), c.failed) << c.name;
    EXPECT_EQ(log.text(), c.failed ? std::string(kMsgCannotWriteRunFile) : "") << c.name;
    EXPECT_EQ(log.errors(), c.failed ? 1u : 0u) << c.name;
  }
}

TEST(RunFileWriter, CutLineEndKeepsTheFirstLine) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"Mon Jan 01 00:00:00 2024\n", "Mon Jan 01 00:00:00 2024"},
      {"a\r\nb", "a"},
      {"no end", "no end"},
      {"\n", ""},
  };
  for (const auto& [text, cut] : cases) EXPECT_EQ(CutLineEnd(text), cut) << text;
}

}  // namespace
}  // namespace zel::build
