// The display replies of the online pages: words, counters, timers, programs and the
// controller error, with the display of their values.

#include "access/operand_replies.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "access/value_display.h"

namespace zel::access {
namespace {

TEST(OperandRepliesTest, WordListsAreCutToSixteenBitsAndToTheirPage) {
  EXPECT_EQ(ReadWordList("=1=$FFFF=-1=65536"), (std::vector<std::uint16_t>{1, 0xFFFF, 0xFFFF, 0}));
  const auto page = ReadWordList("=0=1=2=3=4=5=6=7=8=9=10=11");
  ASSERT_TRUE(page.has_value());
  EXPECT_EQ(page->size(), kWordsPerPage);
  EXPECT_FALSE(ReadWordList("ACCESS").has_value());
}

TEST(OperandRepliesTest, CounterRepliesAreAllDecimalOrAllHex) {
  const struct {
    std::string reply;
    std::optional<CounterReply> counter;
  } cases[] = {
      {"=1=100=42,", CounterReply{true, 100, 42}},
      {"=$1=$64=$2A,", CounterReply{true, 100, 42}},  // reads like the decimal one
      {"=0=0=0,", CounterReply{false, 0, 0}},
      {"=1=100=42", CounterReply{true, 100, 42}},
      {"=1=$64=42,", std::nullopt},  // mixed notations
      {"=$1=100=42,", std::nullopt},
      {"=1=100,", std::nullopt},     // a value missing
      {"=2=100=42,", std::nullopt},  // a status bit is 0 or 1
      {"=", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reply);
    EXPECT_EQ(ReadCounterReply(c.reply), c.counter);
  }
}

TEST(OperandRepliesTest, TimerStatusWordGivesBitModeAndMarker) {
  const struct {
    std::string reply;
    std::optional<TimerReply> timer;
    std::string modeText;
  } cases[] = {
      {"=$101,500,250,0", TimerReply{true, TimerMode::OnDelay, false, 500, 250}, "TON"},
      {"=$0,0,0,0", TimerReply{false, TimerMode::Pulse, false, 0, 0}, "TP"},
      {"=$203,10,$A,", TimerReply{true, TimerMode::OffDelay, true, 10, 10}, "TOFF*"},
      {"=$2,1,1", TimerReply{false, TimerMode::Pulse, true, 1, 1}, "TP*"},
      {"=$301,1,1,", std::nullopt, ""},     // mode 3 does not exist
      {"=257,500,250,", std::nullopt, ""},  // the status word is hexadecimal
      {"=$101,500", std::nullopt, ""},
      {"=$,1,1,", std::nullopt, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reply);
    const auto timer = ReadTimerReply(c.reply);
    EXPECT_EQ(timer, c.timer);
    if (timer) EXPECT_EQ(TimerModeText(timer->mode, timer->marked), c.modeText);
  }
  EXPECT_EQ(FormatHundredths(500), "5.00");
  EXPECT_EQ(FormatHundredths(250), "2.50");
  EXPECT_EQ(FormatHundredths(7), "0.07");
}

TEST(OperandRepliesTest, ProgramStatusIsInactiveStoppedOrActiveElseUnknown) {
  const struct {
    std::string reply;
    bool readable;
    std::optional<ProgramState> state;
  } cases[] = {
      {"=0,0,3,12,5,7", true, ProgramState::Active},
      {"=0,0,0,0,0,0", true, ProgramState::Inactive},
      {"=0,0,2,1,0,0,", true, ProgramState::Stopped},
      {"=0,0,1,1,0,0", true, std::nullopt},  // status box unchanged, "<corrupted>"
      {"=0,0,3,12,5", false, std::nullopt},
      {"=", false, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reply);
    const auto program = ReadProgramReply(c.reply);
    ASSERT_EQ(program.has_value(), c.readable);
    if (program) EXPECT_EQ(program->state, c.state);
  }
  EXPECT_EQ(ReadProgramReply("=0,0,3,12,5,7"), (ProgramReply{ProgramState::Active, 12, 5, 7}));
}

TEST(OperandRepliesTest, ControllerErrorNeedsItsNumber) {
  EXPECT_EQ(ReadControllerError("=0,0,0,"), 0);
  EXPECT_EQ(ReadControllerError("=-1,0,0,"), -1);
  EXPECT_EQ(ReadControllerError("=17,3,4,"), 17);
  EXPECT_FALSE(ReadControllerError("=").has_value());
  EXPECT_FALSE(ReadControllerError("=,0,0,").has_value());
}

TEST(ValueDisplayTest, OneModeForEveryWord) {
  const struct {
    std::int64_t value;
    std::string asSigned, asUnsigned, asHex;
  } cases[] = {
      {0, "0", "0", "$0000"},
      {0xFFFF, "-1", "65535", "$FFFF"},
      {-1, "-1", "65535", "$FFFF"},
      {0x8000, "-32768", "32768", "$8000"},
      {0x12345, "9029", "9029", "$2345"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(FormatWord(c.value, WordDisplay::Signed), c.asSigned);
    EXPECT_EQ(FormatWord(c.value, WordDisplay::Unsigned), c.asUnsigned);
    EXPECT_EQ(FormatWord(c.value, WordDisplay::Hex), c.asHex);
  }
  EXPECT_EQ(FormatWord(0xAB, WordDisplay::Hex, false), "00AB");
}

}  // namespace
}  // namespace zel::access
