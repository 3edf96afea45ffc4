// The parts of the check with rules of their own: time values, the step table and the
// fieldbus configuration.

#include <gtest/gtest.h>

#include "stl/check/step_table.h"
#include "stl/lang/fieldbus_config.h"
#include "stl/lang/time_value.h"

namespace zel::stl {
namespace {

TEST(TimeValue, RangeAndForm) {
  const std::pair<std::string_view, std::optional<long>> cases[] = {
      {"0", 0},
      {"655.35", 6553500},
      {"655.36", std::nullopt},
      {"1.5", 15000},
      {".5", 5000},
      {"5.", 50000},
      {"1.2345", 12345},
      {"1.23456", std::nullopt},
      {"1.5.2", std::nullopt},
      {"", std::nullopt},
      {".", std::nullopt},
      {"655.351", std::nullopt},
      {"99999999999999999999", std::nullopt},
      {"0655.35", 6553500},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(ParseTimeValue(text), value) << text;
}

TEST(StepTable, NumbersInOrderRefusesDuplicatesAndTheOneTooMany) {
  StepTable steps;
  EXPECT_EQ(steps.add("A"), StepTable::Added::Yes);
  EXPECT_EQ(steps.add("B"), StepTable::Added::Yes);
  EXPECT_EQ(steps.add("A"), StepTable::Added::Duplicate);
  EXPECT_EQ(steps.add(""), StepTable::Added::Yes);
  EXPECT_EQ(steps.add(""), StepTable::Added::Duplicate);
  EXPECT_EQ(steps.numberOf(""), std::nullopt);
  EXPECT_EQ(steps.numberOf("B"), 2);
  EXPECT_EQ(steps.numberOf("C"), std::nullopt);
  for (std::size_t i = steps.size(); i < kMaxSteps; ++i)
    EXPECT_EQ(steps.add("S" + std::to_string(i)), StepTable::Added::Yes);
  EXPECT_EQ(steps.add("LAST"), StepTable::Added::Full);
  EXPECT_EQ(steps.add("A"), StepTable::Added::Duplicate);
  EXPECT_EQ(steps.numberOf("S254"), 255);
}

Operand Stored(std::string_view text) {
  Operand operand;
  EXPECT_TRUE(StoredToDisplay(text, operand)) << text;
  return operand;
}

std::string Station(std::string config, int station, unsigned char type, unsigned char inputs,
                    unsigned char outputs) {
  config[station * kFieldbusRecordSize + 0] = static_cast<char>(type);
  config[station * kFieldbusRecordSize + 3] = static_cast<char>(inputs);
  config[station * kFieldbusRecordSize + 6] = static_cast<char>(outputs);
  return config;
}

TEST(FieldbusConfig, StationTypeAndUnitCounts) {
  std::string bytes(kFieldbusConfigSize, '\0');
  bytes = Station(bytes, 1, 0x01, 2, 1);  // byte units
  bytes = Station(bytes, 2, 0xA0, 4, 2);  // top bits 10, double units
  bytes = Station(bytes, 3, 0x41, 8, 8);  // top bits 01: not addressable
  bytes = Station(bytes, 5, 0x20, 3, 1);  // double units, odd counts
  bytes = Station(bytes, 99, 0x80, 1, 1);
  const auto config = FieldbusConfig::FromBytes(bytes);
  ASSERT_EQ(config.state(), FieldbusConfig::State::Ready);
  const std::pair<std::string_view, bool> cases[] = {
      {"E1.1.7", true},  {"E1.2.0", false}, {"E1.1.8", false}, {"A1.0.7", true},  {"A1.1.0", false},
      {"EW1.1", true},   {"AW1.1", false},  {"E2.1.15", true}, {"E2.2.0", false}, {"A2.0.15", true},
      {"A2.1.0", false}, {"E3.0.0", false}, {"E4.0.0", false}, {"EW99.0", true},  {"AW99.0", true},
      {"E0.0", false},   {"E5.1.15", true}, {"E5.2.0", false}, {"AW5.0", true},
  };
  for (const auto& [text, accepted] : cases)
    EXPECT_EQ(config.accepts(Stored(text)), accepted) << text;
}

TEST(FieldbusConfig, MissingAndWrongSizedFiles) {
  EXPECT_EQ(FieldbusConfig::FromBytes(std::nullopt).state(), FieldbusConfig::State::Missing);
  EXPECT_EQ(FieldbusConfig::FromBytes(std::string(699, '\1')).state(),
            FieldbusConfig::State::Unreadable);
  EXPECT_EQ(FieldbusConfig::FromBytes(std::string(701, '\1')).state(),
            FieldbusConfig::State::Unreadable);
  EXPECT_FALSE(FieldbusConfig::FromBytes(std::nullopt).accepts(Stored("E1.0.0")));
}

TEST(FieldbusCheck, UnreadableOnceThenUnchecked) {
  FieldbusCheck check([] { return std::optional<std::string>("short"); });
  EXPECT_EQ(check.check(Stored("E1.0.0")), FieldbusVerdict::Unreadable);
  EXPECT_EQ(check.check(Stored("E1.0.0")), FieldbusVerdict::Accepted);
  FieldbusCheck missing([] { return std::optional<std::string>(); });
  EXPECT_EQ(missing.check(Stored("E1.0.0")), FieldbusVerdict::NotConfigured);
  EXPECT_EQ(missing.check(Stored("EW1.0")), FieldbusVerdict::NotConfigured);
}

}  // namespace
}  // namespace zel::stl
