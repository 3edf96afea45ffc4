#include <gtest/gtest.h>

#include "kzcsim/script.h"
#include "tools/kzcsim/responder.h"

namespace zel::kzcsim::test {
namespace {

using namespace std::string_literals;

struct Rig {
  explicit Rig(FaultOptions options) : plan(std::move(options)) {}
  Interpreter ci{PlainConfig()};
  FaultPlan plan;
  ExchangeLog log;
  Responder responder{ci, plan, log};
  std::vector<std::string> Udp(std::string_view command) {
    std::vector<std::string> bytes;
    for (const Delivery& d : responder.Handle(Transport::Udp, false, command))
      bytes.push_back(d.bytes);
    return bytes;
  }
};

TEST(KzcsimFaults, StopAfterAnsweringNCommands) {
  FaultOptions options;
  options.stopAfter = 2;
  Rig rig(options);
  EXPECT_EQ(rig.Udp("DF").size(), 1u);
  EXPECT_EQ(rig.responder.Handle(Transport::Udp, true, "").size(), 1u);
  EXPECT_TRUE(rig.Udp("DF").empty());
  EXPECT_TRUE(rig.responder.Handle(Transport::Serial, true, "").empty());
  // Silent means not executed either.
  EXPECT_TRUE(rig.Udp("MEW0=5").empty());
  EXPECT_EQ(rig.ci.Execute("DEW0").text, "=0");
}

TEST(KzcsimFaults, ByCommandExactOrByPrefix) {
  FaultOptions options;
  options.drop.commands = {"L?", "MV=*"};
  options.duplicate.commands = {"DF"};
  options.corrupt.commands = {"lb"};
  options.delay.commands = {"PROBE"};
  options.delayMs = 250;
  Rig rig(options);
  EXPECT_TRUE(rig.Udp("L?").empty());
  EXPECT_EQ(rig.Udp("L?X").size(), 1u);  // exact names match exactly
  EXPECT_TRUE(rig.Udp("MV=56000").empty());
  EXPECT_EQ(rig.Udp("DF"), (std::vector{"DF\0=0,0,0,\0"s, "DF\0=0,0,0,\0"s}));
  EXPECT_EQ(rig.Udp("LB"), std::vector{"LB\0#0\0"s});
  const auto probe = rig.responder.Handle(Transport::Serial, true, "");
  ASSERT_EQ(probe.size(), 1u);
  EXPECT_EQ(probe[0].delayMs, 250);
  EXPECT_EQ(rig.responder.Handle(Transport::Serial, false, "DF")[0].delayMs, 0);
}

TEST(KzcsimFaults, DroppedAnswersStillExecute) {
  FaultOptions options;
  options.drop.always = true;
  Rig rig(options);
  EXPECT_TRUE(rig.Udp("MEW0=5").empty());
  EXPECT_EQ(rig.ci.Execute("DEW0").text, "=5");
}

TEST(KzcsimFaults, CorruptionKeepsTheFrame) {
  FaultOptions options;
  options.corrupt.always = true;
  Rig rig(options);
  EXPECT_EQ(rig.responder.Handle(Transport::Serial, false, "MEW0=5")[0].bytes, "MEW0=5#\r\n>\x11");
  EXPECT_EQ(rig.Udp("DEW0"), std::vector{"DEW0\0#5\0"s});
  std::string text = "#1";
  CorruptText(text);
  EXPECT_EQ(text, "%1");
}

TEST(KzcsimFaults, RatesAreRepeatableWithTheSeed) {
  auto pattern = [](std::uint32_t seed) {
    FaultOptions options;
    options.drop.rate = 0.5;
    options.seed = seed;
    FaultPlan plan(options);
    std::string drops;
    for (int i = 0; i < 200; ++i) drops += plan.Decide("DF").drop ? '1' : '0';
    return drops;
  };
  const std::string first = pattern(7);
  EXPECT_EQ(first, pattern(7));
  EXPECT_NE(first, pattern(8));
  const auto dropped = std::count(first.begin(), first.end(), '1');
  EXPECT_GT(dropped, 60);
  EXPECT_LT(dropped, 140);
  FaultOptions never;
  FaultPlan plan(never);
  for (int i = 0; i < 100; ++i) EXPECT_TRUE(plan.Decide("DF").Describe().empty());
}

TEST(KzcsimFaults, SerialRateSwitchesAfterTheAnswerOnlyOnTheSerialLine) {
  Rig rig(FaultOptions{});
  EXPECT_EQ(rig.responder.Handle(Transport::Udp, false, "MV=19200").size(), 1u);
  EXPECT_EQ(rig.ci.controller().rate(), 9600u);
  const auto answer = rig.responder.Handle(Transport::Serial, false, "MV=56000");
  ASSERT_EQ(answer.size(), 1u);
  EXPECT_EQ(answer[0].bytes, "MV=56000\r\n>\x11");
  EXPECT_EQ(rig.ci.controller().rate(), 57600u);
}

TEST(KzcsimFaults, LogRecordsEachExchange) {
  std::FILE* file = std::tmpfile();
  ASSERT_NE(file, nullptr);
  FaultOptions options;
  options.drop.commands = {"DF"};
  FaultPlan plan(options);
  Interpreter ci(PlainConfig());
  ExchangeLog log(file);
  Responder responder(ci, plan, log);
  responder.Handle(Transport::Serial, false, "L?");
  responder.Handle(Transport::Udp, false, "DF");
  std::rewind(file);
  char buffer[512] = {};
  const std::size_t size = std::fread(buffer, 1, sizeof buffer - 1, file);
  std::fclose(file);
  const std::string text(buffer, size);
  EXPECT_NE(text.find(" serial > L? < L?VM2X,$0112,DEMO,DEMO.RUN,<0D><0A>><11>\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find(" udp > DF < (nothing) [dropped]\n"), std::string::npos) << text;
}

}  // namespace
}  // namespace zel::kzcsim::test
