#include "build/driver_order.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>

#include "platform/no_case.h"

namespace zel::build {

namespace {

bool IsSeparator(char c) {
  return c == ' ' || c == '\t' || c == ',';
}

std::vector<std::string_view> Tokens(std::string_view text) {
  std::vector<std::string_view> tokens;
  while (!text.empty()) {
    while (!text.empty() && IsSeparator(text.front())) text.remove_prefix(1);
    std::size_t length = 0;
    while (length < text.size() && !IsSeparator(text[length])) ++length;
    if (length > 0) tokens.push_back(text.substr(0, length));
    text.remove_prefix(length);
  }
  return tokens;
}

// A token starting with a digit is a driver number, any other a name.
const DriverEntry* FindUsed(const std::vector<DriverEntry>& drivers, std::string_view token) {
  const bool byNumber = token.front() >= '0' && token.front() <= '9';
  const long number = byNumber ? std::strtol(std::string(token).c_str(), nullptr, 10) : 0;
  for (const DriverEntry& driver : drivers) {
    if (byNumber ? driver.number == number : platform::EqualsNoCase(driver.name, token)) {
      return &driver;
    }
  }
  return nullptr;
}

bool Uses(const DriverEntry& user, const DriverEntry& used) {
  return std::any_of(user.usedNames.begin(), user.usedNames.end(), [&](const std::string& name) {
    return platform::EqualsNoCase(name, used.name);
  });
}

// The first position whose driver uses one behind it; none when the order is right.
std::optional<std::size_t> FirstOutOfOrder(const std::vector<DriverEntry>& drivers) {
  for (std::size_t i = 0; i + 1 < drivers.size(); ++i) {
    for (std::size_t j = i + 1; j < drivers.size(); ++j) {
      if (Uses(drivers[i], drivers[j])) return i;
    }
  }
  return std::nullopt;
}

}  // namespace

void ResolveDriverUses(std::vector<DriverEntry>& drivers, BuildLog& log) {
  for (DriverEntry& driver : drivers) {
    driver.usedNumbers.clear();
    driver.usedNames.clear();
    for (const std::string_view token : Tokens(driver.uses)) {
      // What a script without uses shows; no driver is meant.
      if (token == "-") continue;
      const DriverEntry* used = FindUsed(drivers, token);
      if (used == nullptr) {
        log.error("ERROR: Driver " + std::string(token) + " used by driver " + driver.name +
                  " not included into project\r\n");
        break;
      }
      const bool known = std::any_of(driver.usedNames.begin(), driver.usedNames.end(),
                                     [&](const std::string& n) { return n == used->name; });
      if (known || driver.usedNames.size() >= kMaxUsedDrivers) continue;
      driver.usedNumbers.push_back(used->number);
      driver.usedNames.push_back(used->name);
    }
  }
}

bool SortDrivers(std::vector<DriverEntry>& drivers, BuildLog& log) {
  if (drivers.empty()) return true;
  log.print("sorting used Drivers\r\n");
  ResolveDriverUses(drivers, log);
  // Each move puts a driver behind one it uses; an order that keeps moving after every
  // driver had its chance at every place is a cycle.
  const std::size_t passes = drivers.size() * drivers.size() + 1;
  for (std::size_t pass = 0; pass < passes; ++pass) {
    const std::optional<std::size_t> at = FirstOutOfOrder(drivers);
    if (!at) return true;
    std::rotate(drivers.begin() + static_cast<std::ptrdiff_t>(*at),
                drivers.begin() + static_cast<std::ptrdiff_t>(*at) + 1, drivers.end());
  }
  if (!FirstOutOfOrder(drivers)) return true;
  log.error("ERROR: Unable to sort used drivers, possibly cyclical references\r\n");
  return false;
}

}  // namespace zel::build
