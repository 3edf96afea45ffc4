#include "app/module_messages.h"

namespace zel::app {

std::string IntegerRangeMessage(int low, int high) {
  return "Please enter an integer between " + std::to_string(low) + " and " + std::to_string(high) +
         ".";
}

std::string MaxCharsMessage(std::size_t count) {
  return "Please enter no more than " + std::to_string(count) + " characters.";
}

std::string FillText(std::string_view pattern, std::string_view text) {
  std::string result(pattern);
  if (const auto at = result.find("%s"); at != std::string::npos) {
    result.replace(at, 2, text);
  }
  return result;
}

}  // namespace zel::app
