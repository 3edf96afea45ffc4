#include <gtest/gtest.h>

#include "kzcsim/script.h"
#include "tools/kzcsim/ci_interpreter.h"
#include "tools/kzcsim/ci_text.h"

namespace zel::kzcsim::test {
namespace {

TEST(KzcsimInterpreter, DisplaysWhatModifyCommandsWrote) {
  Interpreter ci(PlainConfig());
  RunScript(ci, {
                    {"DEW3", OK, "=0"},
                    {"MEW3=$12", OK, ""},
                    {"DEW3", OK, "=18"},
                    {"MEW4=-1", OK, ""},
                    {"DEW3-", OK, "=18=65535=0=0=0=0=0=0=0=0=0=0=0=0=0=0"},
                    {"DEW250-", OK, "=0=0=0=0=0=0"},  // a range stops at the area's end
                    {"ME3.0=1", OK, ""},
                    {"DE3.0", OK, "=1"},
                    {"DEW3", OK, "=19"},
                    {"MA0.15=1", OK, ""},
                    {"DAW0", OK, "=32768"},
                    {"MAW1=7", OK, ""},
                    {"DA1.2", OK, "=1"},
                    {"MM9999.15=1", OK, ""},
                    {"DMW9999", OK, "=32768"},
                    {"MMW10=$FFFF", OK, ""},
                    {"DM10.7", OK, "=1"},
                    {"MR255=1234", OK, ""},
                    {"DR254-", OK, "=0=1234"},
                    {"MO7=3", OK, ""},
                    {"DO7", OK, "=3"},
                    {"MO2.33=9", OK, ""},
                    {"DO2.33", OK, "=9"},
                    {"MZ5=1", OK, ""},
                    {"MZV5=100", OK, ""},
                    {"MZW5=42", OK, ""},
                    {"DZ5,ZV5,ZW5", OK, "=1=100=42,"},
                    {"dz5", OK, "=1"},  // letters without regard to case
                    {"MFW=3", OK, ""},
                    {"DF", OK, "=3,0,0,"},
                    {"MF=0", OK, ""},
                    {"DF", OK, "=0,0,0,"},
                    {"DFW", OK, "=0"},
                    {"DS", OK, "=1"},   // the initial flag
                    {"DS3", OK, "=0"},  // program 3's step
                    {"DS64", ERR, "Invalid operand"},
                });
}

TEST(KzcsimInterpreter, RefusesWhatItDoesNotAccept) {
  Interpreter ci(PlainConfig());
  RunScript(
      ci,
      {
          {"", ERR, "Unknown command"},        {"QQ", ERR, "Unknown command"},
          {"DEW256", ERR, "Invalid operand"},  {"DE0.16", ERR, "Invalid operand"},
          {"DE5", ERR, "Invalid operand"},     {"DMW10000", ERR, "Invalid operand"},
          {"DEW3 junk", ERR, "Syntax error"},  {"DEW3,", ERR, "Invalid operand"},
          {"MEW3=65536", ERR, "Syntax error"}, {"MEW3=-32769", ERR, "Syntax error"},
          {"MEW3=", ERR, "Syntax error"},      {"MEW3=$", ERR, "Syntax error"},
          {"MEW3=1x", ERR, "Syntax error"},    {"ME3.0=2", ERR, "Syntax error"},
          {"MEW3", ERR, "Invalid operand"},    {"MT5", ERR, "Syntax error"},
          {"MP3=1", ERR, "Read only"},  // programs run by RP/SP/BP
          {"MS=0", ERR, "Read only"},   // the initial flag
          {"DP64", ERR, "Syntax error"},       {"DTS256", ERR, "Syntax error"},
          {"RP9", ERR, "No project"},  // not part of the project
          {"!3D10", ERR, "Out of range"},      {std::string_view("DEW0\x01"), ERR, "Syntax error"},
      });
  std::string ranges = "DR0-";
  for (int i = 0; i < 3; ++i) ranges += ",R0-";
  EXPECT_EQ(ci.Execute(ranges).kind, OK);
  for (int i = 0; i < 10; ++i) ranges += ",R0-";
  EXPECT_EQ(ci.Execute(ranges).text, "Reply too long");
  const std::string longest(kMaxCommand, 'D');
  EXPECT_NE(ci.Execute(longest).text, "Line too long");
  EXPECT_EQ(ci.Execute(longest + "D").text, "Line too long");
}

TEST(KzcsimInterpreter, IdentityReportsProjectFlagsAndBuildDate) {
  ControllerConfig config = PlainConfig();
  config.buildDate = 1700000000;
  Interpreter ci(config);
  RunScript(ci, {
                    {"L?", OK, "VM2X,$0112,DEMO,DEMO.RUN,"},
                    {"LB", OK, "=1700000000"},
                    {"Y!", OK, ""},
                    {"L?", OK, "VM2X,$0112,,,"},
                    {"R", ERR, "No project"},
                });
  EXPECT_EQ(ci.Probe().text, "KZC V2.25");
}

TEST(KzcsimInterpreter, FlagsFollowVersionAndOptions) {
  struct Case {
    unsigned minor;
    bool binary, forbidden, functions;
    std::string_view password;
    std::string_view identity;
  };
  const Case cases[] = {
      {25, false, false, true, "", "VM2X,$0112,DEMO,DEMO.RUN,"},
      {24, false, false, true, "", "VM2X,$0012,DEMO,DEMO.RUN,"},
      {25, true, false, true, "", "VM2X,$011A,DEMO,DEMO.RUN,"},
      {25, true, true, true, "", "VM2X,$019A,DEMO,DEMO.RUN,"},
      {25, false, false, false, "", "VM2X,$0110,DEMO,DEMO.RUN,"},
      {25, false, false, true, "pw", "VM2X,$0106,DEMO,DEMO.RUN,"},
  };
  for (const Case& c : cases) {
    ControllerConfig config = PlainConfig();
    config.versionMinor = c.minor;
    config.binaryFileCommands = c.binary;
    config.binaryForbidden = c.forbidden;
    config.passwordFunctions = c.functions;
    config.password = std::string(c.password);
    Interpreter ci(config);
    EXPECT_EQ(ci.Execute("L?").text, c.identity) << "version 2." << c.minor;
  }
}

TEST(KzcsimInterpreter, BannerCarriesTheVersionInTwoDigits) {
  for (unsigned minor : {2u, 15u, 24u, 99u}) {
    ControllerConfig config = PlainConfig();
    config.versionMinor = minor;
    Interpreter ci(config);
    const std::string expected =
        minor < 10 ? "KZC V2.0" + std::to_string(minor) : "KZC V2." + std::to_string(minor);
    EXPECT_EQ(ci.Probe().text, expected);
  }
}

TEST(KzcsimInterpreter, RunControlChangesProgramStates) {
  Interpreter ci(PlainConfig());
  RunScript(ci, {
                    {"DP0", OK, "=0,0,2,0,0,0"},
                    {"DP4", OK, "=4,0,0,0,0,0"},  // not in the project: inactive
                    {"R", OK, ""},
                    {"DP3", OK, "=3,0,3,0,0,0"},
                    {"DP0", OK, "=0,0,3,0,0,0"},
                    {"DP1", OK, "=1,0,3,0,0,0"},
                    {"SP1", OK, ""},
                    {"DP1", OK, "=1,0,2,0,0,0"},
                    {"DPS1", OK, "=1"},
                    {"DP0", OK, "=0,0,3,0,0,0"},
                    {"RP1", OK, ""},
                    {"DP1", OK, "=1,0,3,0,0,0"},
                    {"BP2", OK, ""},
                    {"DP2", OK, "=2,0,2,0,0,0"},
                    {"S", OK, ""},
                    {"DP0", OK, "=0,0,2,0,0,0"},
                    {"B", OK, ""},
                    {"DB5", OK, "=5,0,0,0"},
                    {"DF99", OK, "=99,0,0,0"},
                    {"DF100", ERR, "Syntax error"},
                    {"Y!", OK, ""},
                    {"DP0", OK, "=0,0,0,0,0,0"},
                    {"RP0", ERR, "No project"},
                });
}

TEST(KzcsimInterpreter, ForcesShowInsteadOfWrittenValues) {
  Interpreter ci(PlainConfig());
  RunScript(ci, {
                    {"MEF2.1=1", OK, ""},
                    {"DEW2", OK, "=2"},
                    {"MEW2=0", OK, ""},
                    {"DE2.1", OK, "=1"},  // still forced
                    {"MEF2.1=N", OK, ""},
                    {"DE2.1", OK, "=0"},
                    {"MAWF7=$00FF", OK, ""},
                    {"MAW7=$1234", OK, ""},
                    {"DAW7", OK, "=255"},
                    {"MAF7.0=0", OK, ""},
                    {"DAW7", OK, "=254"},
                    {"MAWF7=N", OK, ""},
                    {"DAW7", OK, "=4660"},
                    {"MEWF9=5", OK, ""},
                    {"YF", OK, ""},
                    {"DEW9", OK, "=0"},
                    {"MEF2.1=2", ERR, "Syntax error"},
                    {"MEWF2.1=1", ERR, "Invalid operand"},
                    {"MEF2=1", ERR, "Invalid operand"},
                });
}

TEST(KzcsimInterpreter, ForcingNeedsAKernelThatSupportsIt) {
  ControllerConfig config = PlainConfig();
  config.versionMinor = 24;
  config.platform = "RUD2";
  Interpreter ci(config);
  RunScript(ci, {{"MEF0.0=1", ERR, "Not supported"}, {"MEW0=1", OK, ""}});
  config.platform = "VM1X";
  Interpreter vm1x(config);
  RunScript(vm1x, {{"MEF0.0=1", OK, ""}});
}

TEST(KzcsimInterpreter, TimersRunOnTheControllersClock) {
  Interpreter ci(PlainConfig());
  std::int64_t now = 1000;
  ci.controller().setClock([&now] { return now; });
  RunScript(ci, {
                    {"MTV3=500", OK, ""},
                    {"DTS3", OK, "=$0000,500,0,0"},
                    {"MTE3=1", OK, ""},
                    {"DTS3", OK, "=$0102,500,500,0"},  // on delay: running, not yet on
                });
  now += 2500;
  RunScript(ci, {{"DTS3", OK, "=$0102,500,250,0"}, {"DTW3", OK, "=250"}});
  now += 2500;
  RunScript(ci, {
                    {"DTS3", OK, "=$0101,500,0,0"},  // ran out: on
                    {"DT3", OK, "=1"},
                    {"MT3=0", OK, ""},
                    {"DTS3", OK, "=$0100,500,0,0"},
                    {"MT3=1", OK, ""},
                    {"DTS3", OK, "=$0003,500,500,0"},  // pulse: on while it runs
                    {"MTA4=1", OK, ""},                // no preset: over at once
                    {"DTS4", OK, "=$0200,0,0,0"},
                });
  now += 6000;
  RunScript(ci, {{"DTS3", OK, "=$0000,500,0,0"}, {"MTW3=7", OK, ""}, {"DTW3", OK, "=7"}});
}

TEST(KzcsimInterpreter, FieldbusSlavesAndStrings) {
  Interpreter ci(PlainConfig());
  RunScript(ci, {
                    {"!0FC", OK, "=2"},
                    {"!0FN", OK, "= 1 0 4 4"},
                    {"!0FN", OK, "= 3 32 2 8"},
                    {"!0FN", OK, "= 1 0 4 4"},
                    {"MAW3.1=77", OK, ""},
                    {"DAW3.0-", OK, "=0=77"},  // a range ends with the slave's words
                    {"MA3.1.0=0", OK, ""},
                    {"DAW3.1", OK, "=76"},
                    {"DEW3.7", OK, "=0"},
                    {"DEW3.8", ERR, "Invalid operand"},
                    {"DAW2.0", ERR, "Invalid operand"},  // no slave 2
                    {"!0FI", OK, "=2"},
                    {"DAW3.1", OK, "=0"},
                    {"!3S", OK, "Strings:10"},
                    {"!3D4", OK, "=\"\""},
                    {"!3M4=Hello, world", OK, ""},
                    {"!3D4", OK, "=\"Hello, world\""},
                    {"!3M4=" + std::string(128, 'x'), ERR, "Line too long"},
                    {"!3M10=x", ERR, "Out of range"},
                    {"!3M4", ERR, "Syntax error"},
                });
}

TEST(KzcsimInterpreter, HexadecimalValuesWhenAsked) {
  ControllerConfig config = PlainConfig();
  config.hexValues = true;
  Interpreter ci(config);
  RunScript(ci, {{"MZV1=300", OK, ""}, {"DZ1,ZV1,ZW1", OK, "=$0000=$012C=$0000,"}});
}

TEST(KzcsimInterpreter, LongestNameWinsAndExactBeatsPrefix) {
  Interpreter ci(PlainConfig());
  struct Case {
    std::string_view line;
    std::string_view name;
  };
  const Case cases[] = {{"MEWF3=1", "MEWF"},  {"MEW3=1", "M"},      {"MEF1.1=1", "MEF"},
                        {"MTV1=5", "MTV"},    {"MT1=1", "MT"},      {"DF", "DF"},
                        {"DF5", "DF"},        {"DFW", "DFW"},       {"DTS1", "DTS"},
                        {"R", "R"},           {"RP1", "RP"},        {"LX,", "LX"},
                        {"L_BOOT", "L_BOOT"}, {"FVF*.* $11", "FVF"}};
  for (const Case& c : cases) {
    const Command* command = ci.Find(c.line);
    ASSERT_NE(command, nullptr) << c.line;
    EXPECT_EQ(command->name, c.name) << c.line;
  }
  EXPECT_EQ(ci.Find("DF")->match, Command::Match::Exact);
  EXPECT_EQ(ci.Find("DF5")->match, Command::Match::Prefix);
  EXPECT_EQ(ci.Find("R1"), nullptr);
}

Reply Custom(Controller&, std::string_view args) {
  return Reply::Ok("custom " + std::string(args));
}

TEST(KzcsimInterpreter, LaterGroupsAddRows) {
  Interpreter ci(PlainConfig());
  ci.Add({"%R", Command::Match::Prefix, Command::Needs::Nothing, Custom});
  RunScript(ci, {{"%R1", OK, "custom 1"}});
  ci.Add({"DF", Command::Match::Exact, Command::Needs::Nothing, Custom});
  RunScript(ci, {{"DF", OK, "custom "}, {"DF3", OK, "=3,0,0,0"}});
}

}  // namespace
}  // namespace zel::kzcsim::test
