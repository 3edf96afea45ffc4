#include "library/io_collision.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "library/test_io_module.h"

namespace zel::library {
namespace {

IoModuleScript Module(std::string file, int iwSize, int owSize, int in, int out,
                      std::vector<std::uint32_t> addresses) {
  std::string name = file;
  return testing::TestModule(std::move(file), std::move(name), iwSize, owSize, in, out, addresses);
}

// IN: 4 input bytes at $300/$304, 4 IW bytes. OUT: 2 output bytes, 2 OW bytes.
// BOTH: 2 input and 2 output bytes at $300/$302/$304, IW and OW 4 bytes. BASE: nothing.
const IoModuleList& Modules() {
  static const IoModuleList list({
      Module("IN.IOD", 4, 0, 4, 0, {0x300, 0x304}),
      Module("OUT.IOD", 0, 2, 0, 2, {0x300, 0x302}),
      Module("BOTH.IOD", 4, 4, 2, 2, {0x300, 0x302, 0x304}),
      Module("BASE.IOD", 4, 4, 0, 0, {}),
      Module("SWITCHED.IOD", 0, 0, 1, 0, {0x300, 0, 0x310}),
  });
  return list;
}

TEST(IoCollision, ChecksInOrderAndNamesTheOtherEntry) {
  struct Case {
    std::vector<IoEntry> others;
    IoEntry entry;
    std::optional<std::string> message;
    IoField field = IoField::Module;
  };
  const std::string io = "IO address collision.\nSelect another switch position.";
  const std::vector<Case> cases = {
      // IW size 4 at IW 0 and IW 1: bytes 0-3 and 2-5.
      {{{"IN.IOD", 0, 0, 0}},
       {"IN.IOD", 1, 1, 0},
       "'IN.IOD,0,0,0'\n\nZEL IW collision.",
       IoField::Iw},
      {{{"IN.IOD", 0, 0, 0}}, {"IN.IOD", 1, 2, 0}, std::nullopt},
      // Input bytes $300-$303 against $300: the address is reported before the IW.
      {{{"IN.IOD", 0, 0, 0}}, {"IN.IOD", 0, 0, 0}, "'IN.IOD,0,0,0'\n\n" + io, IoField::Switch},
      // Input ranges only meet inputs: OUT's outputs at $300 leave IN's inputs alone.
      {{{"OUT.IOD", 0, 0, 0}}, {"IN.IOD", 0, 0, 0}, std::nullopt},
      // Outputs $300-$301 and $302-$303 touch without overlapping; the OW bytes collide.
      {{{"OUT.IOD", 0, 0, 0}},
       {"OUT.IOD", 1, 0, 0},
       "'OUT.IOD,0,0,0'\n\nZEL OW collision.",
       IoField::Ow},
      {{{"OUT.IOD", 0, 0, 0}}, {"OUT.IOD", 1, 0, 1}, std::nullopt},
      // IW is checked against every other entry before OW is checked against any.
      {{{"BOTH.IOD", 0, 9, 0}, {"BOTH.IOD", 1, 0, 9}},
       {"BOTH.IOD", 2, 0, 0},
       "'BOTH.IOD,1,0,9'\n\nZEL IW collision.",
       IoField::Iw},
      {{{"BOTH.IOD", 0, 9, 0}, {"BOTH.IOD", 1, 0, 9}},
       {"BOTH.IOD", 1, 20, 0},
       "'BOTH.IOD,1,0,9'\n\n" + io,
       IoField::Switch},
      // A module without IO bytes skips the address step but not the word areas.
      {{{"BASE.IOD", 0, 0, 0}},
       {"BOTH.IOD", 0, 1, 1},
       "'BASE.IOD,0,0,0'\n\nZEL IW collision.",
       IoField::Iw},
      {{{"BASE.IOD", 0, 0, 0}}, {"BOTH.IOD", 0, 2, 2}, std::nullopt},
      // Unknown modules take part in no check, on either side.
      {{{"GONE.IOD", 0, 0, 0}}, {"IN.IOD", 0, 0, 0}, std::nullopt},
      {{{"IN.IOD", 0, 0, 0}}, {"GONE.IOD", 0, 0, 0}, std::nullopt},
      // Entry names are found without regard to case.
      {{{"in.iod", 0, 0, 0}},
       {"In.Iod", 1, 1, 0},
       "'in.iod,0,0,0'\n\nZEL IW collision.",
       IoField::Iw},
  };
  for (const auto& c : cases) {
    const auto problem = FindIoCollision(c.entry, c.others, c.others.size(), Modules());
    ASSERT_EQ(problem.has_value(), c.message.has_value()) << FormatIoEntry(c.entry);
    if (!problem) continue;
    EXPECT_EQ(problem->message, *c.message);
    EXPECT_EQ(problem->field, c.field) << *c.message;
  }
}

TEST(IoCollision, LeavesTheEntryItselfOut) {
  const std::vector<IoEntry> entries = {{"IN.IOD", 0, 0, 0}, {"IN.IOD", 1, 2, 0}};
  EXPECT_FALSE(FindIoCollision(entries[1], entries, 1, Modules()));
  EXPECT_TRUE(FindIoCollision(entries[1], entries, 0, Modules()));
}

TEST(IoEntryValidation, Messages) {
  struct Case {
    IoEntry entry;
    const char* module;
    std::optional<std::string> message;
    IoField field = IoField::Module;
  };
  const std::vector<Case> cases = {
      {{"", 0, 0, 0}, nullptr, "No Module Type selected!", IoField::Module},
      {{"SWITCHED.IOD", 0, 0, 0}, "SWITCHED.IOD", std::nullopt},
      {{"SWITCHED.IOD", 2, 0, 0}, "SWITCHED.IOD", std::nullopt},
      {{"SWITCHED.IOD", 1, 0, 0},
       "SWITCHED.IOD",
       "Valid switch positions are:\n\n0, 2",
       IoField::Switch},
      {{"SWITCHED.IOD", 256, 0, 0},
       "SWITCHED.IOD",
       "Valid switch positions are:\n\n0, 2",
       IoField::Switch},
      // A module without a switch table takes any position.
      {{"BASE.IOD", 7, 0, 0}, "BASE.IOD", std::nullopt},
      {{"IN.IOD", 0, 251, 0}, "IN.IOD", std::nullopt},
      {{"IN.IOD", 0, 252, 0}, "IN.IOD", "Please enter an integer between 0 and 251.", IoField::Iw},
      {{"OUT.IOD", 0, 0, 253}, "OUT.IOD", std::nullopt},
      {{"OUT.IOD", 0, 0, 254},
       "OUT.IOD",
       "Please enter an integer between 0 and 253.",
       IoField::Ow},
      // IW and OW are checked only where the module decodes inputs or outputs.
      {{"OUT.IOD", 0, 300, 0}, "OUT.IOD", std::nullopt},
  };
  for (const auto& c : cases) {
    const auto problem = ValidateIoEntry(c.entry, c.module ? Modules().find(c.module) : nullptr);
    ASSERT_EQ(problem.has_value(), c.message.has_value()) << FormatIoEntry(c.entry);
    if (!problem) continue;
    EXPECT_EQ(problem->message, *c.message);
    EXPECT_EQ(problem->field, c.field);
  }
}

}  // namespace
}  // namespace zel::library
