#include "access/telvane/identity.h"

#include <gtest/gtest.h>

namespace zel::telvane {
namespace {

TEST(KernelVersion, OnlyMinorVersionsFrom20Pass) {
  struct Case {
    const char* banner;
    const char* text;
    int number;
  } const cases[] = {
      {"KZC V2.25", "V2.25", 537}, {"KZC V2.20", "V2.20", 532}, {"KZC V2.99", "V2.99", 611},
      {"KZC V2.15", "?", 0},       {"KZC V2.05", "?", 0},       {"KZC V3.25", "?", 0},
      {"KZC V2.2", "?", 0},        {"KZC V2.255", "?", 0},      {"no version", "?", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.banner);
    const KernelVersion version = ParseKernelVersion(c.banner);
    EXPECT_EQ(version.text, c.text);
    EXPECT_EQ(version.number, c.number);
  }
}

TEST(ReadNumber, HexAfterDollarElseSignedDecimal) {
  EXPECT_EQ(ReadNumber("$1F,"), 31);
  EXPECT_EQ(ReadNumber("$a0"), 160);
  EXPECT_EQ(ReadNumber("-12x"), -12);
  EXPECT_EQ(ReadNumber("118"), 118);
  EXPECT_FALSE(ReadNumber("$"));
  EXPECT_FALSE(ReadNumber("-"));
  EXPECT_FALSE(ReadNumber(""));
  EXPECT_FALSE(ReadNumber("x1"));
  EXPECT_TRUE(ReadNumber("$FFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"));  // bounded, no overflow
}

struct IdentityCase {
  const char* reply;
  int version;
  bool recognised;
  const char* platform;
  std::uint32_t flags;
  const char* project;
  const char* runFile;
  const char* loginResult;
  bool passwordUsed;
  bool binaryForbidden;
  bool canForce;
};

const IdentityCase kIdentities[] = {
    {"RUD2,$118,PLANT,PLANT.RUN,x", 537, true, "RUD2", 0x118, "PLANT", "PLANT.RUN",
     "KOLVA KZC V2.25, RUD2, PLANT", false, false, true},
    {"rud0,$10,P,R,", 537, true, "RUD", 0x10, "P", "R", "KOLVA KZC V2.25, RUD, P", false, true,
     false},
    {"RUD1,$98,P,R,", 537, true, "RUD", 0x98, "P", "R", "KOLVA KZC V2.25, RUD, P", false, true,
     false},  // bit 7 forbids what bit 3 allows
    {"VM1X,$0,P,,", 536, true, "VM1X", 0, "", "", "KOLVA KZC V2.24, VM1X, P", true, true, true},
    {"VM1X,$0,P,,", 537, true, "VM1X", 0, "", "", "KOLVA KZC V2.25, VM1X, P", true, true, false},
    {"vm2x,$100,P,R,", 536, true, "vm2x", 0x100, "P", "R", "KOLVA KZC V2.24, vm2x, P", true, true,
     true},
    {"RUD2,$100", 537, true, "RUD2", 0, "", "", "KOLVA KZC V2.25, RUD2", true, true, false},
    {"RUD2,$100,PROJECT", 537, true, "RUD2", 0x100, "", "", "KOLVA KZC V2.25, RUD2", true, true,
     true},
    {"RUD2,18,P,R,", 537, false, "", 0, "", "", "", true, true, false},  // no ",$"
    {"", 537, false, "", 0, "", "", "", true, true, false},
};

TEST(Identity, ReadsTheLQuestionReply) {
  for (const IdentityCase& c : kIdentities) {
    SCOPED_TRACE(c.reply + std::string(" at ") + std::to_string(c.version));
    KernelVersion version;
    version.number = c.version;
    version.text = c.version == 537 ? "V2.25" : "V2.24";
    const Identity identity = ParseIdentity(c.reply, version);
    EXPECT_EQ(identity.recognised, c.recognised);
    EXPECT_EQ(identity.platform, c.platform);
    EXPECT_EQ(identity.flags, c.flags);
    EXPECT_EQ(identity.project, c.project);
    EXPECT_EQ(identity.runFile, c.runFile);
    EXPECT_EQ(identity.loginResult, c.loginResult);
    EXPECT_EQ(identity.passwordUsed, c.passwordUsed);
    EXPECT_EQ(identity.binaryForbidden, c.binaryForbidden);
    EXPECT_EQ(identity.canForce, c.canForce);
  }
}

TEST(Identity, TextsAreBoundedForTheHostsBuffers) {
  const std::string longName(300, 'N');
  const Identity identity = ParseIdentity(longName + ",$10," + longName + "," + longName + ",", {});
  EXPECT_EQ(identity.platform.size(), 99u);
  EXPECT_EQ(identity.project.size(), 99u);
  EXPECT_EQ(identity.runFile.size(), 99u);
}

TEST(BuildDate, UnsignedDecimalAfterEquals) {
  EXPECT_EQ(ParseBuildDate("=4000000000"), 4000000000u);
  EXPECT_EQ(ParseBuildDate("=12,"), 12u);
  EXPECT_EQ(ParseBuildDate("12"), 0u);
  EXPECT_EQ(ParseBuildDate("=99999999999"), 0u);
  EXPECT_EQ(ParseBuildDate(""), 0u);
}

}  // namespace
}  // namespace zel::telvane
