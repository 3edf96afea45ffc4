#include "build/driver_order.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zel::build {
namespace {

struct Listed {
  const char* name;
  int number;
  const char* uses;
};

std::vector<DriverEntry> Drivers(const std::vector<Listed>& listed) {
  std::vector<DriverEntry> drivers;
  for (const Listed& l : listed) {
    DriverEntry entry;
    entry.name = l.name;
    entry.number = l.number;
    entry.uses = l.uses;
    drivers.push_back(entry);
  }
  return drivers;
}

std::string Order(const std::vector<DriverEntry>& drivers) {
  std::string order;
  for (const DriverEntry& d : drivers) order += d.name;
  return order;
}

TEST(SortDrivers, EveryDriverEndsBehindTheDriversItUses) {
  const std::string sorting = "sorting used Drivers\r\n";
  const std::string cyclical =
      "ERROR: Unable to sort used drivers, possibly cyclical references\r\n";
  struct Case {
    const char* name;
    std::vector<Listed> listed;
    std::string order;
    std::string text;
    std::uint32_t errors;
  };
  const Case cases[] = {
      {"a chain", {{"A", 1, "B"}, {"B", 2, "C"}, {"C", 3, ""}}, "CBA", sorting, 0},
      {"already in order", {{"C", 3, ""}, {"B", 2, "C"}, {"A", 1, "B"}}, "CBA", sorting, 0},
      {"by number, any case, separators",
       {{"A", 1, "2,\tc"}, {"b", 2, ""}, {"C", 3, "B"}},
       "bCA",
       sorting,
       0},
      {"unrelated drivers keep their order",
       {{"X", 1, ""}, {"Y", 2, "-"}, {"Z", 3, ""}},
       "XYZ",
       sorting,
       0},
      {"a driver using itself", {{"A", 1, "A"}, {"B", 2, ""}}, "AB", sorting, 0},
      // The order reached after the last of d * d + 1 moves is kept.
      {"two drivers using each other", {{"A", 1, "B"}, {"B", 2, "A"}}, "BA", sorting + cyclical, 1},
      {"a cycle of three behind a free driver",
       {{"F", 0, ""}, {"A", 1, "B"}, {"B", 2, "C"}, {"C", 3, "A"}},
       "FCAB",
       sorting + cyclical,
       1},
      {"a driver not in the table; the rest of its uses is not read",
       {{"A", 1, "X B"}, {"B", 2, ""}},
       "AB",
       sorting + "ERROR: Driver X used by driver A not included into project\r\n",
       1},
      {"an unknown number",
       {{"A", 1, "7"}},
       "A",
       sorting + "ERROR: Driver 7 used by driver A not included into project\r\n",
       1},
      {"no drivers", {}, "", "", 0},
  };
  for (const Case& c : cases) {
    std::vector<DriverEntry> drivers = Drivers(c.listed);
    TextLog log;
    const bool sorted = SortDrivers(drivers, log);
    EXPECT_EQ(Order(drivers), c.order) << c.name;
    EXPECT_EQ(log.text(), c.text) << c.name;
    EXPECT_EQ(log.errors(), c.errors) << c.name;
    EXPECT_EQ(sorted, c.text.find("cyclical") == std::string::npos) << c.name;
  }
}

TEST(ResolveDriverUses, NumbersOfTheUsedDriversOnceEach) {
  std::vector<DriverEntry> drivers = Drivers({{"A", 1, "B, b 2 C"}, {"B", 2, ""}, {"C", -1, ""}});
  TextLog log;
  ResolveDriverUses(drivers, log);
  EXPECT_EQ(drivers[0].usedNumbers, (std::vector<int>{2, -1}));
  EXPECT_EQ(drivers[0].usedNames, (std::vector<std::string>{"B", "C"}));
  EXPECT_TRUE(drivers[1].usedNumbers.empty());
  EXPECT_EQ(log.errors(), 0u);
}

}  // namespace
}  // namespace zel::build
