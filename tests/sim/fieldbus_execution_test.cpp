// What compiled fieldbus operands mean: bits and words of byte and word stations reach
// the station's own units through the station tables, reading and writing.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "sim/support/program_run.h"

namespace zel::emu {
namespace {

using Word = std::uint16_t;

constexpr std::size_t kRecordSize = 7;
constexpr std::uint8_t kByteStation = 0x01;
constexpr std::uint8_t kWordStation = 0x21;

// Station 1 a byte station, stations 2 and 99 word stations; 32 units each way.
std::string FieldbusConfig() {
  std::string config(100 * kRecordSize, '\0');
  const auto record = [&config](int station, std::uint8_t type) {
    config[station * kRecordSize] = static_cast<char>(type);
    config[station * kRecordSize + 3] = 32;
    config[station * kRecordSize + 6] = 32;
  };
  record(1, kByteStation);
  record(2, kWordStation);
  record(99, kWordStation);
  return config;
}

CompileOptions WithFieldbus() {
  CompileOptions options;
  options.fieldbusConfig = FieldbusConfig();
  return options;
}

struct StationBit {
  int station;
  std::size_t offset;  // of the byte in the station
  std::uint8_t mask;
};

struct BitCase {
  const char* operand;  // display text of the fieldbus bit
  StationBit place;
};

const std::vector<BitCase> kInputBits{
    {"I1.2.5", {1, 2, 0x20}},  {"I1.0.0", {1, 0, 0x01}},      {"I2.1.3", {2, 2, 0x08}},
    {"I2.3.12", {2, 7, 0x10}}, {"I99.15.15", {99, 31, 0x80}}, {"I99.0.8", {99, 1, 0x01}},
};

// Every other byte of the station and its neighbours keeps its value.
void ExpectOnlyBit(ProgramRun& p, Fieldbus side, const StationBit& place, bool value) {
  for (int station = place.station - 1; station <= place.station + 1; ++station) {
    if (station < 0 || station >= kStationCount) continue;
    for (std::size_t offset = 0; offset < 32; ++offset) {
      const std::uint8_t byte = p.controller().stationByte(side, station, offset);
      if (station == place.station && offset == place.offset) {
        EXPECT_EQ(byte, value ? place.mask : 0) << station << "." << offset;
      } else {
        EXPECT_EQ(byte, 0) << station << "." << offset;
      }
    }
  }
}

TEST(FieldbusExecutionTest, InputBitsRead) {
  for (const BitCase& c : kInputBits) {
    SCOPED_TRACE(c.operand);
    const std::string condition = std::string("I0.0 OR N ") + c.operand + " EXOR I0.1";
    ProgramRun program("IF " + condition + " THEN SET O0.0 OTHRW SET O0.1\n", WithFieldbus());
    ASSERT_TRUE(program.ready());
    for (int bits = 0; bits < 8; ++bits) {
      const bool a = (bits & 1) != 0;
      const bool b = (bits & 2) != 0;
      const bool s = (bits & 4) != 0;
      program.reset();
      program.setBit(InputBit(0, 0), a);
      program.setBit(InputBit(0, 1), b);
      // The other bits of the unit are set the other way round.
      const std::uint8_t others = static_cast<std::uint8_t>(~c.place.mask);
      program.controller().setStationByte(Fieldbus::Inputs, c.place.station, c.place.offset,
                                          s ? 0xFF : others);
      ASSERT_TRUE(RanCleanly(program.run()));
      const bool want = (a || !s) != b;
      EXPECT_EQ(program.bit(OutputBit(0, 0)), want) << bits;
      EXPECT_EQ(program.bit(OutputBit(0, 1)), !want) << bits;
    }
  }
}

TEST(FieldbusExecutionTest, OutputBitsWrittenBySetResetAndTo) {
  const std::vector<BitCase> outputs{
      {"O1.3.7", {1, 3, 0x80}}, {"O2.1.9", {2, 3, 0x02}}, {"O99.15.0", {99, 30, 0x01}}};
  for (const BitCase& c : outputs) {
    SCOPED_TRACE(c.operand);
    const std::string o = c.operand;
    ProgramRun program("IF I0.0 THEN SET " + o + " OTHRW RESET " + o + "\n", WithFieldbus());
    ProgramRun to("IF I0.0 TO " + o + " AND I0.1 THEN SET O0.0\n", WithFieldbus());
    ASSERT_TRUE(program.ready());
    ASSERT_TRUE(to.ready());
    for (const bool value : {true, false}) {
      for (ProgramRun* p : {&program, &to}) {
        p->reset();
        p->setBit(InputBit(0, 0), value);
        p->setBit(InputBit(0, 1), true);
        // Start from the other value so both the SET and the RESET must act.
        p->controller().setStationByte(Fieldbus::Outputs, c.place.station, c.place.offset,
                                       value ? 0 : c.place.mask);
        ASSERT_TRUE(RanCleanly(p->run()));
        ExpectOnlyBit(*p, Fieldbus::Outputs, c.place, value);
      }
      EXPECT_EQ(to.bit(OutputBit(0, 0)), value);
    }
  }
}

TEST(FieldbusExecutionTest, ShiftThroughAFieldbusBit) {
  ProgramRun program("LOAD I0.0 SHIFT O2.0.10 TO O0.0\n", WithFieldbus());
  ASSERT_TRUE(program.ready());
  for (int bits = 0; bits < 4; ++bits) {
    const bool in = (bits & 1) != 0;
    const bool previous = (bits & 2) != 0;
    program.reset();
    program.setBit(InputBit(0, 0), in);
    program.controller().setStationByte(Fieldbus::Outputs, 2, 1, previous ? 0x04 : 0);
    ASSERT_TRUE(RanCleanly(program.run()));
    EXPECT_EQ(program.controller().stationByte(Fieldbus::Outputs, 2, 1), in ? 0x04 : 0);
    EXPECT_EQ(program.bit(OutputBit(0, 0)), previous);
  }
}

// A word operand, the station it names and the unit's offset in the station's table.
struct StationCase {
  const char* operand;
  int station;
  std::size_t offset;
  bool wordStation;
};

TEST(FieldbusExecutionTest, WordsReadFromByteAndWordStations) {
  const std::vector<StationCase> cases{
      {"IW1.2", 1, 2, false}, {"IW2.3", 2, 6, true}, {"IW99.15", 99, 30, true}};
  for (const StationCase& c : cases) {
    SCOPED_TRACE(c.operand);
    const std::string w = c.operand;
    ProgramRun program("THEN LOAD " + w + " TO FW1 LOAD FW2 - " + w + " TO FW3 LOAD FW2 * " + w +
                           " TO FW4\nIF " + w + " > FW2 THEN SET O0.0 OTHRW SET O0.1\n",
                       WithFieldbus());
    ASSERT_TRUE(program.ready());
    for (const Word value : {Word{0x0000}, Word{0x12FE}, Word{0xFFFF}}) {
      SCOPED_TRACE(value);
      program.reset();
      // The byte after a byte station's unit is another unit: it must not be read along.
      program.controller().setStationWord(Fieldbus::Inputs, c.station, c.offset, value);
      program.setWord(FlagWord(2), 0x0100);
      ASSERT_TRUE(RanCleanly(program.run()));
      const Word read = c.wordStation ? value : Word(value & 0xFF);
      EXPECT_EQ(program.word(FlagWord(1)), read);
      EXPECT_EQ(program.word(FlagWord(3)), Word(0x0100 - read));
      EXPECT_EQ(program.word(FlagWord(4)), Word(0x0100 * read));
      EXPECT_EQ(program.bit(OutputBit(0, 0)), read > 0x0100);
    }
  }
}

TEST(FieldbusExecutionTest, WordsWrittenToByteAndWordStations) {
  const std::vector<StationCase> cases{
      {"OW1.2", 1, 2, false}, {"OW2.1", 2, 2, true}, {"OW99.15", 99, 30, true}};
  for (const StationCase& c : cases) {
    SCOPED_TRACE(c.operand);
    ProgramRun program(std::string("LOAD FW1 TO ") + c.operand + " TO FW2\n", WithFieldbus());
    ASSERT_TRUE(program.ready());
    program.setWord(FlagWord(1), 0xBEEF);
    program.controller().setStationByte(Fieldbus::Outputs, c.station, c.offset + 1, 0x77);
    ASSERT_TRUE(RanCleanly(program.run()));
    EXPECT_EQ(program.controller().stationWord(Fieldbus::Outputs, c.station, c.offset),
              c.wordStation ? 0xBEEF : 0x77EF);
    EXPECT_EQ(program.word(FlagWord(2)), 0xBEEF);
    EXPECT_EQ(program.controller().stationWord(Fieldbus::Inputs, c.station, c.offset), 0);
  }
}

}  // namespace
}  // namespace zel::emu
