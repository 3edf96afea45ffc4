#include "build/module_linker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

#include "build/byte_order.h"
#include "build/byte_sink.h"
#include "build/driver_data.h"
#include "build/run_file_records.h"
#include "build/run_record.h"

namespace zel::build {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct ModuleSpec {
  std::uint16_t language = 0;
  std::size_t code = 40;  // bytes of machine code
  std::uint16_t firstWord = 0x7EEB;
  std::uint16_t minor = 0x24;
  std::uint16_t major = 2;
  std::vector<std::pair<std::size_t, std::uint8_t>> usageBytes;  // offset in the map, value
  std::vector<std::size_t> cmpCalls;
  std::vector<std::size_t> cfmCalls;
  std::vector<FieldbusReference> fieldbus;
};

// A compiled module file as the compiler lays it out; a C module has 256 trailing bytes
// counted in its length and no usage records.
Bytes ModuleFile(const ModuleSpec& spec) {
  const bool c = spec.language == 2;
  const std::size_t length = 128 + spec.code + (c ? 256 : 0);
  Bytes file(128, 0);
  file[0] = static_cast<std::uint8_t>(spec.firstWord);
  file[1] = static_cast<std::uint8_t>(spec.firstWord >> 8);
  file[2] = static_cast<std::uint8_t>(spec.language);
  file[4] = static_cast<std::uint8_t>(spec.minor);
  file[5] = static_cast<std::uint8_t>(spec.minor >> 8);
  file[6] = static_cast<std::uint8_t>(spec.major);
  file[24] = static_cast<std::uint8_t>(length);
  file[25] = static_cast<std::uint8_t>(length >> 8);
  for (std::size_t i = 128; i < length; ++i) file.push_back(static_cast<std::uint8_t>(i * 7 + 1));
  if (c) return file;
  Bytes usage(kUsageMapSize, 0);
  for (const auto& [at, value] : spec.usageBytes) usage[at] = value;
  file.insert(file.end(), usage.begin(), usage.end());
  for (const auto* calls : {&spec.cmpCalls, &spec.cfmCalls}) {
    Bytes table(200, 0);
    for (std::size_t n : *calls) table[2 * n] = 1;
    file.insert(file.end(), table.begin(), table.end());
  }
  AppendWord(file, static_cast<std::uint16_t>(spec.fieldbus.size()));
  for (const auto& r : spec.fieldbus)
    file.insert(file.end(), {r.slave, r.type, r.inputs, r.outputs});
  return file;
}

ModuleSpec Spec(std::uint16_t language, std::size_t code = 40) {
  ModuleSpec spec;
  spec.language = language;
  spec.code = code;
  return spec;
}

ModuleSpec HeaderWords(std::uint16_t firstWord, std::uint16_t minor, std::uint16_t major) {
  ModuleSpec spec;
  spec.firstWord = firstWord;
  spec.minor = minor;
  spec.major = major;
  return spec;
}

struct Linked {
  int result = 0;
  Bytes runFile;
  std::string log;
};

Linked Link(std::string_view name, const Bytes& file, LinkState& state) {
  VectorSink sink;
  RunFileWriter writer(sink);
  TextLog log;
  Linked linked;
  linked.result = LinkModuleBytes(name, file, "Sun Dec 06 16:38:39 2026\n", state, writer, log);
  linked.runFile = sink.bytes();
  linked.log = log.text();
  return linked;
}

TEST(LinkModule, ResultCodes) {
  const Bytes good = ModuleFile({});
  Bytes shortHeader = good;
  shortHeader.resize(127);
  Bytes tooShort = good;
  tooShort.resize(good.size() - 27298 - 402 - 2);  // code ends two bytes early
  ModuleSpec smallLength;
  smallLength.code = 0;
  Bytes lengthBelowHeader = ModuleFile(smallLength);
  lengthBelowHeader[24] = 100;
  ModuleSpec huge;
  huge.code = 65534 - 128;  // the record length, 65534 + 2, would not fit in 16 bits
  Bytes usageCut = good;
  usageCut.resize(good.size() - 3);
  ModuleSpec slaveZero;
  slaveZero.fieldbus = {{0, 1, 2, 2}};
  ModuleSpec slave100;
  slave100.fieldbus = {{100, 1, 2, 2}};
  ModuleSpec fieldbus;
  fieldbus.fieldbus = {{5, 1, 2, 2}};

  struct Case {
    const char* name;
    std::string_view object;
    Bytes file;
    bool fieldbusConfigured;
    int result;
  };
  const Case cases[] = {
      {"program", "CZ0P05V1.VM1X.OBJ", good, false, link_result::kLinked},
      {"lower-case kind", "cz0b99v1.vm1x.obj", good, false, link_result::kLinked},
      {"CFM", "CZ0F00V1.VM1X.OBJ", good, false, link_result::kLinked},
      {"program 64", "CZ0P64V1.VM1X.OBJ", good, false, link_result::kProgramNumber},
      {"program 63", "CZ0P63V1.VM1X.OBJ", good, false, link_result::kLinked},
      {"kind letter X", "CZ0X05V1.VM1X.OBJ", good, false, link_result::kUnknownKind},
      {"no number", "CZ0PA5V1.VM1X.OBJ", good, false, link_result::kUnknownKind},
      {"name too short", "CZ0P1", good, false, link_result::kUnknownKind},
      {"shorter than a header", "CZ0P01V1.VM1X.OBJ", shortHeader, false, link_result::kNotAModule},
      {"second byte not 7E", "CZ0P01V1.VM1X.OBJ", ModuleFile(HeaderWords(0x7DEB, 0x24, 2)), false,
       link_result::kNotAModule},
      {"format major 3", "CZ0P01V1.VM1X.OBJ", ModuleFile(HeaderWords(0x7EEB, 0x24, 3)), false,
       link_result::kNotAModule},
      {"format minor 0x0F", "CZ0P01V1.VM1X.OBJ", ModuleFile(HeaderWords(0x7EEB, 0x0F, 2)), false,
       link_result::kNotAModule},
      {"format minor 0x99", "CZ0P01V1.VM1X.OBJ", ModuleFile(HeaderWords(0x7EEB, 0x99, 2)), false,
       link_result::kLinked},
      {"language 3", "CZ0P01V1.VM1X.OBJ", ModuleFile(Spec(3)), false, link_result::kNotAModule},
      {"module length below the header", "CZ0P01V1.VM1X.OBJ", lengthBelowHeader, false,
       link_result::kNotAModule},
      {"record length beyond 16 bits", "CZ0P01V1.VM1X.OBJ", ModuleFile(huge), false,
       link_result::kNotAModule},
      {"two bytes short", "CZ0P01V1.VM1X.OBJ", tooShort, false, link_result::kObjectTooShort},
      {"usage records cut", "CZ0P01V1.VM1X.OBJ", usageCut, false, link_result::kObjectTooShort},
      {"fieldbus without configuration", "CZ0P01V1.VM1X.OBJ", ModuleFile(fieldbus), false,
       link_result::kNoFieldbusConfiguration},
      {"fieldbus with configuration", "CZ0P01V1.VM1X.OBJ", ModuleFile(fieldbus), true,
       link_result::kLinked},
      {"slave 0", "CZ0P01V1.VM1X.OBJ", ModuleFile(slaveZero), true, link_result::kSlaveNumber},
      {"slave 100", "CZ0P01V1.VM1X.OBJ", ModuleFile(slave100), true, link_result::kSlaveNumber},
  };
  for (const Case& c : cases) {
    LinkState state;
    state.fieldbusConfigured = c.fieldbusConfigured;
    const Linked linked = Link(c.object, c.file, state);
    EXPECT_EQ(linked.result, c.result) << c.name;
    EXPECT_EQ(linked.log, "linking  " + std::string(c.object) + "\r\n") << c.name;
    // A refused module leaves nothing in the run file.
    EXPECT_EQ(linked.runFile.empty(), c.result != link_result::kLinked) << c.name;
    EXPECT_EQ(state.anyProgramLinked, c.result == link_result::kLinked) << c.name;
  }
}

TEST(LinkModule, SecondModuleOfANumberIsRefused) {
  struct Case {
    const char* first;
    const char* second;
    int result;
  };
  const Case cases[] = {
      {"CZ0P05V1.VM1X.OBJ", "CZ0P05V2.VM1X.OBJ", link_result::kProgramTwice},
      {"CZ0B05V1.VM1X.OBJ", "cz0b05v2.vm1x.obj", link_result::kCmpTwice},
      {"CZ0F05V1.VM1X.OBJ", "CZ0F05V2.VM1X.OBJ", link_result::kCfmTwice},
      {"CZ0P05V1.VM1X.OBJ", "CZ0B05V1.VM1X.OBJ", link_result::kLinked},
      {"CZ0B05V1.VM1X.OBJ", "CZ0F05V1.VM1X.OBJ", link_result::kLinked},
  };
  const Bytes file = ModuleFile({});
  for (const Case& c : cases) {
    LinkState state;
    ASSERT_EQ(Link(c.first, file, state).result, link_result::kLinked);
    EXPECT_EQ(Link(c.second, file, state).result, c.result) << c.first << " " << c.second;
  }
}

TEST(LinkModule, MarksProgramZeroOnlyForP00) {
  const std::pair<const char*, bool> cases[] = {
      {"CZ0P00V1.VM1X.OBJ", true},
      {"cz0p00v1.vm1x.obj", true},
      {"CZ0B00V1.VM1X.OBJ", false},
      {"CZ0P01V1.VM1X.OBJ", false},
  };
  for (const auto& [name, p0] : cases) {
    LinkState state;
    ASSERT_EQ(Link(name, ModuleFile({}), state).result, link_result::kLinked);
    EXPECT_EQ(state.p0Linked, p0) << name;
  }
}

// The records a link wrote: the text record and the module record.
std::pair<RunRecord, RunRecord> LinkedRecords(const Bytes& runFile) {
  RecordReader reader(runFile, true);
  auto text = reader.next();
  auto module = reader.next();
  EXPECT_TRUE(text && module);
  EXPECT_TRUE(reader.atEnd());
  return {*text, *module};
}

TEST(LinkModule, ModuleRecordHoldsHeaderAndCode) {
  struct Case {
    const char* name;
    ModuleSpec spec;
    std::size_t cut;           // bytes taken off the end of the file
    std::size_t copiedLength;  // header and code in the record
  };
  const Case cases[] = {
      {"statement list", Spec(0, 40), 0, 168},
      {"ladder", Spec(1, 9000), 0, 9128},
      {"C module loses its last 256 bytes", Spec(2, 40), 0, 168},
      {"C module cut by its trailer still links", Spec(2, 40), 256, 168},
  };
  for (const Case& c : cases) {
    Bytes file = ModuleFile(c.spec);
    file.resize(file.size() - c.cut);
    LinkState state;
    const Linked linked = Link("CZ0B07V1.VM1X.OBJ", file, state);
    ASSERT_EQ(linked.result, link_result::kLinked) << c.name;
    const auto [text, module] = LinkedRecords(linked.runFile);
    EXPECT_EQ(text.type, record_type::kText);
    EXPECT_EQ(std::string(text.payload.begin(), text.payload.end()),
              std::string("CZ0B07V1.VM1X.OBJ, Sun Dec 06 16:38:39 2026") + '\0');
    EXPECT_EQ(module.type, record_type::kModule) << c.name;
    EXPECT_TRUE(module.hasChecksum) << c.name;
    ASSERT_EQ(module.payload.size(), c.copiedLength) << c.name;
    EXPECT_EQ(Word(module.payload, 30), ('B' << 8) | 7) << c.name;
    Bytes expected(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(c.copiedLength));
    expected[30] = 7;
    expected[31] = 'B';
    EXPECT_TRUE(std::ranges::equal(module.payload, expected)) << c.name;
  }
}

TEST(LinkModule, OneByteShortLinksWithAZeroByte) {
  for (std::uint16_t language : {0, 2}) {
    Bytes file = ModuleFile(Spec(language, 8193));
    const std::size_t copied = 128 + 8193;
    file.resize(copied - 1);
    LinkState state;
    const Linked linked = Link("CZ0P03V1.VM1X.OBJ", file, state);
    ASSERT_EQ(linked.result, link_result::kLinked) << language;
    const auto module = LinkedRecords(linked.runFile).second;
    ASSERT_EQ(module.payload.size(), copied);
    EXPECT_EQ(module.payload.back(), 0);
    EXPECT_TRUE(
        std::equal(module.payload.begin() + 128, module.payload.end() - 1, file.begin() + 128));
    EXPECT_TRUE(module.checksumMatches());
  }
}

TEST(LinkModule, MergesUsageOfAllModules) {
  LinkState state;
  state.fieldbusConfigured = true;
  ModuleSpec first;
  first.usageBytes = {{kProgramsUsageOffset + 2 * 7, 1}, {100, 0x01}};
  first.cmpCalls = {3};
  first.fieldbus = {{5, 0x20, 4, 1}, {99, 2, 0, 0}};
  ModuleSpec second;
  second.usageBytes = {{kProgramsUsageOffset + 2 * 63, 2}, {100, 0x80}};
  second.cfmCalls = {99};
  second.fieldbus = {{5, 0x21, 2, 3}, {1, 7, 1, 0}};
  ASSERT_EQ(Link("CZ0P01V1.VM1X.OBJ", ModuleFile(first), state).result, link_result::kLinked);
  ASSERT_EQ(Link("CZ0P02V1.VM1X.OBJ", ModuleFile(second), state).result, link_result::kLinked);

  for (std::size_t program = 0; program < 64; ++program) {
    EXPECT_EQ(state.programReferenced(program), program == 7 || program == 63) << program;
  }
  EXPECT_FALSE(state.programReferenced(64));
  EXPECT_EQ(state.usage[100], 0x81);
  EXPECT_EQ(state.cmpReferenced[3], 1);
  EXPECT_EQ(state.cfmReferenced[99], 1);
  EXPECT_EQ(state.cmpReferenced[99], 0);
  EXPECT_TRUE(state.slavesPlaced);
  // Number and type from the last module, larger counts kept.
  EXPECT_EQ(state.slaves[5].type, 0x21);
  EXPECT_EQ(state.slaves[5].inputs, 4);
  EXPECT_EQ(state.slaves[5].outputs, 3);

  VectorSink sink;
  RunFileWriter writer(sink);
  WriteFieldbusRecord(writer, state);
  RecordReader reader(sink.bytes(), true);
  const auto record = reader.next();
  ASSERT_TRUE(record);
  EXPECT_EQ(record->type, record_type::kFieldbusSlaves);
  // Slave 99 placed no bytes and is left out; the others in slave-number order.
  const Bytes expected = {2, 0, 1, 7, 1, 0, 5, 0x21, 4, 3};
  EXPECT_TRUE(std::ranges::equal(record->payload, expected));
}

TEST(LinkModule, CModuleMergesNothing) {
  LinkState state;
  ASSERT_EQ(Link("CZ0P01V1.VM1X.OBJ", ModuleFile(Spec(2)), state).result, link_result::kLinked);
  EXPECT_FALSE(state.slavesPlaced);
  EXPECT_TRUE(std::ranges::all_of(state.usage, [](std::uint8_t b) { return b == 0; }));
}

class LinkFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = std::filesystem::temp_directory_path() /
            ("zel_link_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(m_dir);
    std::filesystem::create_directories(m_dir);
  }
  void TearDown() override { std::filesystem::remove_all(m_dir); }
  void Put(const std::string& name, const Bytes& bytes) {
    std::ofstream(m_dir / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  }
  std::filesystem::path m_dir;
};

TEST_F(LinkFiles, ModuleFoundWithoutRegardToCase) {
  Put("cz0p02v1.vm1x.obj", ModuleFile({}));
  VectorSink sink;
  RunFileWriter writer(sink);
  TextLog log;
  LinkState state;
  EXPECT_EQ(LinkModule(m_dir, "CZ0P02V1.VM1X.OBJ", state, writer, log), link_result::kLinked);
  EXPECT_EQ(LinkModule(m_dir, "CZ0P03V1.VM1X.OBJ", state, writer, log), link_result::kCannotOpen);
  EXPECT_EQ(log.text(), "linking  CZ0P02V1.VM1X.OBJ\r\nlinking  CZ0P03V1.VM1X.OBJ\r\n");
  EXPECT_EQ(LinkedRecords(sink.bytes()).second.payload.size(), 168u);
}

TEST_F(LinkFiles, DriverFiles) {
  Put("small.bin", {1, 2, 3});
  Put("limit.bin", Bytes(kMaxDriverFileSize, 9));
  Put("large.bin", Bytes(kMaxDriverFileSize + 1, 9));
  struct Case {
    const char* file;
    std::size_t index;
    bool linked;
    std::string message;
  };
  const std::string dir = m_dir.string() + "/";
  const Case cases[] = {
      {"small.bin", 0, true, ""},
      {"small.bin", 1, true, ""},
      {"limit.bin", 0, true, ""},
      {"large.bin", 0, false,
       "ERROR: File " + dir + "large.bin is too large to be linked into project file\r\n"},
      {"missing.bin", 0, false,
       "ERROR: Cannot find file " + dir + "missing.bin to be linked into project file\r\n"},
  };
  for (const Case& c : cases) {
    VectorSink sink;
    RunFileWriter writer(sink);
    TextLog log;
    EXPECT_EQ(LinkDriverFile(m_dir / c.file, 0x1234, c.index, writer, log), c.linked) << c.file;
    EXPECT_EQ(log.text(), c.message) << c.file;
    EXPECT_EQ(log.errors(), c.linked ? 0u : 1u) << c.file;
    if (!c.linked) {
      EXPECT_TRUE(sink.bytes().empty()) << c.file;
      continue;
    }
    RecordReader reader(sink.bytes(), true);
    const auto record = reader.next();
    ASSERT_TRUE(record) << c.file;
    EXPECT_EQ(record->type, 10 + c.index) << c.file;
    EXPECT_EQ(record->size, std::filesystem::file_size(m_dir / c.file) + 8);
    EXPECT_EQ(Word(record->payload, 0), 0x1234);
  }
}

}  // namespace
}  // namespace zel::build
