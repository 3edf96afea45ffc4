// The controller's "L?" identity as the login reads it.

#include "access/identity_reply.h"

#include <gtest/gtest.h>

#include <string>

namespace zel::access {
namespace {

TEST(IdentityReplyTest, FieldsAsTheLoginReadsThem) {
  const struct {
    std::string reply;
    bool identified;
    std::string platform;
    std::uint32_t flags;
    std::string project;
    std::string runFile;
  } cases[] = {
      {"RUD2,$11A,DEMO,C:\\PROJECT.RUN,x,y", true, "RUD2", 0x11A, "DEMO", "C:\\PROJECT.RUN"},
      {"rud0,$10,P,R,", true, "RUD", 0x10, "P", "R"},
      {"RUD1,$10,P,R,", true, "RUD", 0x10, "P", "R"},
      {"RUD10,$10,P,R,", true, "RUD10", 0x10, "P", "R"},
      {"VM1X,$1f0,P,R", true, "VM1X", 0x1F0, "P", ""},  // no fourth comma: no run file
      {"VM1X,$10,DEMO,,", true, "VM1X", 0x10, "", ""},  // empty run file: no project
      {"VM1X,$10,DEMO", true, "VM1X", 0x10, "", ""},
      {"VM1X,$10", true, "VM1X", 0, "", ""},  // no second comma: no flags
      {"VM1X,$zz,P,R,", true, "VM1X", 0, "P", "R"},
      {"VM1X,$18q,P,R,", true, "VM1X", 0x18, "P", "R"},
      {",$10,P,R,", true, "", 0x10, "P", "R"},
      {"VM1X,10,P,R,", false, "", 0, "", ""},  // lacks ",$"
      {"VM1X", false, "", 0, "", ""},
      {"VM1X,", false, "", 0, "", ""},
      {"", false, "", 0, "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reply);
    const Identity identity = ReadIdentity(c.reply);
    EXPECT_EQ(identity.identified, c.identified);
    EXPECT_EQ(identity.platform, c.platform);
    EXPECT_EQ(identity.flags, c.flags);
    EXPECT_EQ(identity.project, c.project);
    EXPECT_EQ(identity.runFile, c.runFile);
  }
}

TEST(IdentityReplyTest, FlagsDecidePasswordBinaryCommandsAndForcing) {
  // Without the identity the controller counts as password-protected.
  EXPECT_TRUE(ReadIdentity("KZC").passwordUsed());
  EXPECT_FALSE(ReadIdentity("RUD,$10,P,R,").passwordUsed());
  EXPECT_TRUE(ReadIdentity("RUD,$8,P,R,").passwordUsed());

  EXPECT_FALSE(ReadIdentity("RUD,$8,P,R,").binaryFileCommandsForbidden());
  EXPECT_TRUE(ReadIdentity("RUD,$88,P,R,").binaryFileCommandsForbidden());
  EXPECT_TRUE(ReadIdentity("RUD,$10,P,R,").binaryFileCommandsForbidden());

  constexpr std::int32_t v224 = 2 * 256 + 24;
  constexpr std::int32_t v225 = 2 * 256 + 25;
  // Before 2.25 the platform decides whatever bit 8 says; from 2.25 on bit 8 does.
  EXPECT_TRUE(ReadIdentity("vm1x,$0,P,R,").canForceOperands(v224));
  EXPECT_TRUE(ReadIdentity("VM2X,$0,P,R,").canForceOperands(v224));
  EXPECT_FALSE(ReadIdentity("RUD2,$100,P,R,").canForceOperands(v224));
  EXPECT_FALSE(ReadIdentity("VM1X,$0,P,R,").canForceOperands(v225));
  EXPECT_TRUE(ReadIdentity("RUD2,$100,P,R,").canForceOperands(v225));

  EXPECT_TRUE(ReadIdentity("RUD,$10,P,R,").projectLoaded());
  EXPECT_FALSE(ReadIdentity("RUD,$10,P,,").projectLoaded());
}

}  // namespace
}  // namespace zel::access
