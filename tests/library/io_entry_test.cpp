#include "library/io_entry.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace zel::library {
namespace {

TEST(IoEntry, Parse) {
  struct Case {
    std::string text;
    std::optional<IoEntry> entry;
  };
  const std::vector<Case> cases = {
      {"RUD.IOD,0,0,0", IoEntry{"RUD.IOD", 0, 0, 0}},
      {"RUD.IOD, 0, 0, 0", IoEntry{"RUD.IOD", 0, 0, 0}},
      {"DI16.IOD,\t2,  10,3", IoEntry{"DI16.IOD", 2, 10, 3}},
      {"DI16.IOD ,2 ,10 ,3 \r\n", IoEntry{"DI16.IOD", 2, 10, 3}},
      {"x,65535,0,1", IoEntry{"x", 65535, 0, 1}},
      {"", std::nullopt},
      {",1,2,3", std::nullopt},
      {"  ,1,2,3", std::nullopt},
      {"RUD.IOD,0,0", std::nullopt},
      {"RUD.IOD,0,0,", std::nullopt},
      {"RUD.IOD,0,0,0,0", std::nullopt},
      {"RUD.IOD,0,0,0x", std::nullopt},
      {"RUD.IOD,-1,0,0", std::nullopt},
      {"RUD.IOD,65536,0,0", std::nullopt},
      {"RUD.IOD,99999999999,0,0", std::nullopt},
      {"RUD.IOD,$10,0,0", std::nullopt},
      {"RUD.IOD 0 0 0", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseIoEntry(c.text), c.entry) << c.text;
}

TEST(IoEntry, FormatReadsBack) {
  const IoEntry entry{"AI4.IOD", 3, 12, 200};
  EXPECT_EQ(FormatIoEntry(entry), "AI4.IOD,3,12,200");
  EXPECT_EQ(ParseIoEntry(FormatIoEntry(entry)), entry);
}

}  // namespace
}  // namespace zel::library
