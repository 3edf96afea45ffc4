#include "build/run_file_listing.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

#include "build/byte_order.h"
#include "build/byte_sink.h"
#include "build/run_file_records.h"
#include "build/run_file_writer.h"

namespace zel::build {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ModuleHeaderPayload(char kind, std::uint8_t number, std::uint16_t language,
                          std::uint16_t major, std::uint16_t minor) {
  Bytes header(128 + 10, 0);
  header[2] = static_cast<std::uint8_t>(language);
  header[4] = static_cast<std::uint8_t>(minor);
  header[6] = static_cast<std::uint8_t>(major);
  header[30] = number;
  header[31] = static_cast<std::uint8_t>(kind);
  return header;
}

Bytes ScanTable(
    std::initializer_list<std::tuple<std::uint16_t, std::uint32_t, std::uint16_t>> commands) {
  Bytes payload;
  for (const auto& [code, first, second] : commands) {
    AppendWord(payload, code);
    AppendDoubleWord(payload, first);
    AppendWord(payload, second);
  }
  return payload;
}

// The listing of one record written by `write`, followed by the end record.
std::string ListingOf(const std::function<void(RunFileWriter&)>& write) {
  VectorSink sink;
  RunFileWriter writer(sink);
  write(writer);
  writer.WriteEnd();
  TextLog log;
  EXPECT_TRUE(ListRunFileRecords(sink.bytes(), log));
  const std::string total = "Total Size  " + std::to_string(sink.size()) + " Bytes\r\n";
  std::string text = log.text();
  EXPECT_TRUE(text.ends_with(total)) << text;
  return text.substr(0, text.size() - std::min(text.size(), total.size()));
}

RuntimeMode Mode(std::uint8_t flags, std::int16_t errorProgram = -1) {
  RuntimeMode mode;
  mode.flags = flags;
  mode.errorProgram = errorProgram;
  return mode;
}

TEST(ListRunFile, EveryRecordText) {
  struct Case {
    const char* name;
    std::function<void(RunFileWriter&)> write;
    std::string listing;
  };
  RuntimeMode everything = Mode(0xFF, 12);
  everything.runStopWord = 255;
  everything.runStopMask = 0x8000;
  everything.errorOutputWord = 3;
  everything.errorOutputMask = 0x0004;
  const Case cases[] = {
      {"version",
       [](RunFileWriter& w) {
         w.WriteRecord(4, Bytes{0x24, 0x02});
       },
       "Version Number = 2.24\r\n"},
      {"version with a small minor",
       [](RunFileWriter& w) {
         w.WriteRecord(4, Bytes{0x05, 0x1A});
       },
       "Version Number = 1A.05\r\n"},
      {"identification is skipped", [](RunFileWriter& w) { w.WriteTextRecord(8, "whatever"); }, ""},
      {"text", [](RunFileWriter& w) { w.WriteTextRecord(6, "TARGET=VM1X"); }, "TARGET=VM1X\r\n"},
      {"project name", [](RunFileWriter& w) { w.WriteTextRecord(13, "Demo"); },
       "Project Name = Demo\r\n"},
      {"password", [](RunFileWriter& w) { w.WriteTextRecord(14, "pw"); }, "Password = pw\r\n"},
      {"program module",
       [](RunFileWriter& w) { w.WriteRecord(1, ModuleHeaderPayload('P', 5, 0, 2, 0x24)); },
       "Program 05, STL, Version Number = 2.24\r\n"},
      {"CMP in ladder",
       [](RunFileWriter& w) { w.WriteRecord(1, ModuleHeaderPayload('B', 42, 1, 2, 0x10)); },
       "CMP 42, Ladder Diagram, Version Number = 2.10\r\n"},
      {"CFM in C",
       [](RunFileWriter& w) { w.WriteRecord(1, ModuleHeaderPayload('F', 99, 2, 2, 0x99)); },
       "CFM 99, C, Version Number = 2.99\r\n"},
      {"invalid kind, unknown language",
       [](RunFileWriter& w) { w.WriteRecord(1, ModuleHeaderPayload('p', 1, 7, 2, 0x24)); },
       "invalid type 01, unknown programming language, Version Number = 2.24\r\n"},
      {"module record shorter than a header",
       [](RunFileWriter& w) {
         w.WriteRecord(1, Bytes{0xEB, 0x7E});
       },
       "invalid type 00, STL, Version Number = 0.00\r\n"},
      {"input scan table",
       [](RunFileWriter& w) {
         w.WriteRecord(2, ScanTable({{1, 0x300, 4}, {58, 4294967295u, 65535}, {0, 0, 0}}));
       },
       "Input Scan Table  (3 Commands)\r\n"
       " 0: INPUTMOVEBYTEIO, 768(300h), 4(4h)\r\n"
       " 1: JUMP, 4294967295(FFFFFFFFh), 65535(FFFFh)\r\n"
       " 2: ENDOFTABLE, 0(0h), 0(0h)\r\n"},
      {"output scan table with unknown and last codes",
       [](RunFileWriter& w) {
         w.WriteRecord(3, ScanTable({{74, 1, 2}, {75, 10, 11}}));
       },
       "Output Scan Table  (2 Commands)\r\n"
       " 0: CPUVERIFY, 1(1h), 2(2h)\r\n"
       " 1: unknown (75), 10(Ah), 11(Bh)\r\n"},
      {"scan table with a partial command",
       [](RunFileWriter& w) {
         Bytes payload = ScanTable({{9, 1, 2}});
         payload.push_back(0);
         w.WriteRecord(2, payload);
       },
       "Input Scan Table  (1 Commands)\r\n 0: POP, 1(1h), 2(2h)\r\n"},
      {"default run-time mode", [](RunFileWriter& w) { WriteRuntimeModeRecord(w, RuntimeMode()); },
       "Run-time Mode:  Reset Programs, Zero Outputs,\r\n"},
      {"error program alone", [](RunFileWriter& w) { WriteRuntimeModeRecord(w, Mode(0, 0)); },
       "Run-time Mode:  Error Program 0,\r\n"},
      {"nothing set", [](RunFileWriter& w) { WriteRuntimeModeRecord(w, Mode(0)); },
       "Run-time Mode: \r\n"},
      {"every bit", [everything](RunFileWriter& w) { WriteRuntimeModeRecord(w, everything); },
       "Run-time Mode:  Auto Start, Run/Stop Input 255.15, Reset Programs, Zero Outputs, Error "
       "Output 3.2, Error Program 12, Kolva Fieldbus, Kolva Fieldbus Soft Errors, PROFIBUS,\r\n"},
      {"fieldbus slaves",
       [](RunFileWriter& w) {
         w.WriteRecord(9, Bytes{2, 0, 1, 7, 1, 0, 5, 0x21, 4, 3});
       },
       "Kolva Fieldbus, 10 bytes\r\n"
       "Slave = 1, Type = 7, Inputs = 1, Outputs = 0\r\n"
       "Slave = 5, Type = 33, Inputs = 4, Outputs = 3\r\n"},
      {"fieldbus count beyond the record",
       [](RunFileWriter& w) {
         w.WriteRecord(9, Bytes{9, 0, 1, 7, 1, 0});
       },
       "Kolva Fieldbus, 6 bytes\r\nSlave = 1, Type = 7, Inputs = 1, Outputs = 0\r\n"},
      {"driver data 1",
       [](RunFileWriter& w) {
         w.WriteRecord(10, Bytes{3, 0, 1, 2, 3, 4});
       },
       "Driver Data 1 for Driver 3, 4 Bytes\r\n"},
      {"driver data 3",
       [](RunFileWriter& w) {
         w.WriteRecord(12, Bytes{0x10, 0x01});
       },
       "Driver Data 3 for Driver 272, 0 Bytes\r\n"},
      {"unknown type", [](RunFileWriter& w) { w.WriteRecord(5, Bytes{1}); },
       "Unknown record type 5\r\n"},
      {"record without checksum",
       [](RunFileWriter& w) {
         w.WriteWord(13);
         w.WriteWord(3);
         w.WriteBytes(Bytes{'A', 'B', 0});
       },
       "Project Name = AB\r\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(ListingOf(c.write), c.listing) << c.name;
}

TEST(ListRunFile, DamageEndsTheListing) {
  const std::string cannotRead = "\r\nCannot read project run file\r\n";
  struct Case {
    const char* name;
    Bytes file;
    std::string listing;
  };
  const Case cases[] = {
      {"empty file", {}, cannotRead},
      {"no end record", {0x0D, 0x00, 0x02, 0x00, 'A', 0}, "Project Name = A\r\n" + cannotRead},
      {"end record cut", {0x00, 0x00, 0x00}, cannotRead},
      {"length past the end", {0x06, 0x80, 0x20, 0x00, 0, 0, 'A'}, cannotRead},
      {"checksum record without room for it", {0x06, 0x80, 0x01, 0x00, 0}, cannotRead},
      {"wrong checksum is reported and the listing goes on",
       {0x06, 0x80, 0x04, 0x00, 0x00, 0x00, 'A', 0, 0, 0, 0, 0},
       "A\r\nChecksum error in the record at offset 0: stored 0000h, sum 0041h\r\n"
       "Total Size  12 Bytes\r\n"},
  };
  for (const Case& c : cases) {
    TextLog log;
    EXPECT_FALSE(ListRunFileRecords(c.file, log)) << c.name;
    EXPECT_EQ(log.text(), c.listing) << c.name;
  }
}

TEST(ListRunFile, HeadAndFileMessages) {
  const auto dir = std::filesystem::temp_directory_path() / "zel_list_run_file_test";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir / "empty");
  std::filesystem::create_directories(dir / "built");
  {
    std::ofstream file(dir / "built" / "PROJECT.run", std::ios::binary);
    file.write("\x0D\x00\x02\x00X\x00\x00\x00\x00\x00", 10);
  }
  const std::string head = "\r\nZEL Project Run File Content\r\n\r\n";
  struct Case {
    const char* name;
    std::optional<std::filesystem::path> project;
    bool listed;
    std::string listing;
  };
  const Case cases[] = {
      {"no project", std::nullopt, false, head + "No project open\r\n"},
      {"not built", dir / "empty", false,
       head + (dir / "empty" / "Project.RUN").string() + "\r\nCannot open project run file\r\n"},
      {"built, name in other case", dir / "built", true,
       head + (dir / "built" / "PROJECT.run").string() +
           "\r\nProject Name = X\r\nTotal Size  10 Bytes\r\n"},
  };
  for (const Case& c : cases) {
    TextLog log;
    EXPECT_EQ(ListRunFile(c.project, log), c.listed) << c.name;
    EXPECT_EQ(log.text(), c.listing) << c.name;
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace zel::build
