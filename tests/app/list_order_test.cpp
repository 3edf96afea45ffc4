#include "app/shell/list_order.h"

#include <gtest/gtest.h>

#include <optional>

namespace zel::app {
namespace {

TEST(ListOrderTest, ReadsOnlyAColumnOfTheListAndADirection) {
  struct Case {
    const char* text;
    std::optional<ListOrder> order;
  };
  const Case cases[] = {
      {"0,0", ListOrder{0, false}},
      {"2,1", ListOrder{2, true}},
      {" 1, 0", ListOrder{1, false}},
      {"3,0", std::nullopt},  // no such column
      {"-1,0", std::nullopt},
      {"1,2", std::nullopt},  // a direction is 0 or 1
      {"1", std::nullopt},
      {"1,0,0", std::nullopt},
      {"", std::nullopt},
      {"a,b", std::nullopt},
      {"99999999999999999999,0", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseListOrder(c.text, 3), c.order) << c.text;
  }
  for (const ListOrder order : {ListOrder{0, false}, ListOrder{2, true}}) {
    EXPECT_EQ(ParseListOrder(FormatListOrder(order), 3), order);
  }
}

}  // namespace
}  // namespace zel::app
