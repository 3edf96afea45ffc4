#include <gtest/gtest.h>

#include <optional>
#include <string_view>

#include "app/text/field_scanner.h"

namespace zel::app {
namespace {

TEST(DecimalWord, TakesDigitsThatFitSixteenBits) {
  struct Case {
    std::string_view text;
    std::optional<std::uint16_t> value;
  };
  const Case cases[] = {
      {"0", 0},      {"65535", 65535},   {"007", 7},
      {"65536", {}}, {"4294967296", {}}, {"99999999999999999999", {}},
      {"", {}},      {"-1", {}},         {"+1", {}},
      {" 1", {}},    {"1 ", {}},         {"12a", {}},
      {"$10", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(DecimalWord(c.text), c.value) << '"' << c.text << '"';
}

}  // namespace
}  // namespace zel::app
