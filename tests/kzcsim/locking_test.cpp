#include <gtest/gtest.h>

#include "kzcsim/script.h"
#include "tools/kzcsim/ci_interpreter.h"

namespace zel::kzcsim::test {
namespace {

ControllerConfig WithPassword(std::string password) {
  ControllerConfig config = PlainConfig();
  config.password = std::move(password);
  return config;
}

TEST(KzcsimLocking, APasswordLocksAtPowerOnAndUnlocksOnlyWithIt) {
  Interpreter ci(WithPassword("Secret"));
  RunScript(ci, {
                    {"L?", OK, "VM2X,$0106,DEMO,DEMO.RUN,"},
                    {"MEW0=1", ERR, "Locked"},
                    {"R", ERR, "Locked"},
                    {"YF", ERR, "Locked"},
                    {"!3M0=x", ERR, "Locked"},
                    {"DEW0", OK, "=0"},      // displays stay allowed
                    {"LXsecret", OK, "=0"},  // case counts
                    {"LX", OK, "=0"},
                    {"LXSecret2", OK, "=0"},
                    {"L?", OK, "VM2X,$0106,DEMO,DEMO.RUN,"},
                    {"LXSecret", OK, "=1"},
                    {"L?", OK, "VM2X,$0116,DEMO,DEMO.RUN,"},
                    {"MEW0=1", OK, ""},
                    {"LX,", OK, "=1"},
                    {"L?", OK, "VM2X,$0106,DEMO,DEMO.RUN,"},
                    {"MEW0=2", ERR, "Locked"},
                    {"DEW0", OK, "=1"},
                });
}

TEST(KzcsimLocking, WithoutPasswordLxUnlocksAndLxCommaLocks) {
  Interpreter ci(PlainConfig());
  RunScript(ci, {
                    {"LX,", OK, "=1"},
                    {"L?", OK, "VM2X,$0102,DEMO,DEMO.RUN,"},
                    {"S", ERR, "Locked"},
                    {"LX", OK, "=1"},
                    {"L?", OK, "VM2X,$0112,DEMO,DEMO.RUN,"},
                    {"S", OK, ""},
                });
}

TEST(KzcsimLocking, PasswordIsSetChangedAndRemovedWithLc) {
  Interpreter ci(PlainConfig());
  RunScript(ci, {
                    {"LCx,new", ERR, "Wrong password"},
                    {"LC,new", OK, ""},
                    {"L?", OK, "VM2X,$0116,DEMO,DEMO.RUN,"},  // set, still unlocked
                    {"LX,", OK, "=1"},
                    {"LXnew", OK, "=1"},
                    {"LCold,newer", ERR, "Wrong password"},
                    {"LCnew,newer", OK, ""},
                    {"LX,", OK, "=1"},
                    {"LXnew", OK, "=0"},
                    {"LXnewer", OK, "=1"},
                    {"LCnewer", ERR, "Syntax error"},
                    {"LCnewer," + std::string(30, 'p'), ERR, "Syntax error"},
                    {std::string_view("LCnewer,a\x01"), ERR, "Syntax error"},
                    {"LCnewer,", OK, ""},
                    {"L?", OK, "VM2X,$0112,DEMO,DEMO.RUN,"},
                });
}

TEST(KzcsimLocking, BareLcAsksForBothPasswordsOnLinesOfTheirOwn) {
  Interpreter ci(WithPassword("one"));
  RunScript(ci, {
                    {"LC", MORE, "Old password"},
                    {"one", MORE, "New password"},
                    {"two", OK, ""},
                    {"LXone", OK, "=0"},
                    {"LXtwo", OK, "=1"},
                    {"LC", MORE, "Old password"},
                    {"wrong", MORE, "New password"},
                    {"three", ERR, "Wrong password"},
                    {"LX,", OK, "=1"},  // a command again, not a password
                    {"LXtwo", OK, "=1"},
                });
}

TEST(KzcsimLocking, RebootLocksAgainWithThePowerOnPassword) {
  ControllerConfig config = WithPassword("pw");
  config.baud = 19200;
  Interpreter ci(config);
  RunScript(ci, {
                    {"LXpw", OK, "=1"},
                    {"LCpw,other", OK, ""},
                    {"MV=56000", OK, ""},
                    {"MEW1=5", OK, ""},
                });
  const Reply boot = ci.Execute("L_BOOT");
  EXPECT_EQ(boot.kind, NONE);
  EXPECT_EQ(boot.switchRate, 19200u);
  RunScript(ci, {{"L?", OK, "VM2X,$0106,DEMO,DEMO.RUN,"},
                 {"LXother", OK, "=0"},
                 {"LXpw", OK, "=1"},
                 {"DEW1", OK, "=0"}});
}

TEST(KzcsimLocking, RateChangeAnswersAndNamesTheNewRate) {
  struct Case {
    std::string_view command;
    Reply::Kind kind;
    unsigned rate;
  };
  const Case cases[] = {
      {"MV=56000", OK, 57600},   {"MV=57600", OK, 57600}, {"MV=9600", OK, 9600},
      {"MV=115200", OK, 115200}, {"MV=2400", OK, 2400},   {"MV=600", ERR, 0},
      {"MV=", ERR, 0},           {"MV=9600x", ERR, 0},    {"MV=99999999999", ERR, 0}};
  for (const Case& c : cases) {
    Interpreter ci(PlainConfig());
    const Reply reply = ci.Execute(c.command);
    EXPECT_EQ(reply.kind, c.kind) << c.command;
    EXPECT_EQ(reply.switchRate, c.rate) << c.command;
  }
  ControllerConfig silent = PlainConfig();
  silent.silentRateChange = true;
  Interpreter ci(silent);
  const Reply reply = ci.Execute("MV=56000");
  EXPECT_EQ(reply.kind, NONE);
  EXPECT_EQ(reply.switchRate, 57600u);
}

TEST(KzcsimLocking, GoodbyeReturnsTheLineToThePowerOnRate) {
  Interpreter ci(PlainConfig());
  ci.controller().setRate(57600);
  const Reply reply = ci.Execute("x");
  EXPECT_EQ(reply.kind, NONE);
  EXPECT_EQ(reply.switchRate, 9600u);
  EXPECT_EQ(ci.controller().rate(), 9600u);
}

}  // namespace
}  // namespace zel::kzcsim::test
