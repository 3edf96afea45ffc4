#include "stl/check/check_test_list.h"

#include <gtest/gtest.h>

namespace zel::stl::testing {

AllocationList TestSymbols() {
  AllocationList list;
  const std::pair<std::string_view, std::string_view> entries[] = {
      {"A0.5", "MOTOR"}, {"E0.3", "Sensor"}, {"MW10", "LEVEL"},
      {"T4", "T_ON"},    {"Z2", "CNT"},      {"E1.0.3", "BUS"},
  };
  for (const auto& [stored, symbol] : entries) {
    AllocationEntry entry;
    EXPECT_TRUE(StoredToDisplay(stored, entry.operand)) << stored;
    entry.symbol = symbol;
    list.append(entry);
  }
  return list;
}

std::string Lines(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (const auto line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

}  // namespace zel::stl::testing
