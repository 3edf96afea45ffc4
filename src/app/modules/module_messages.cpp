#include "app/modules/module_messages.h"

namespace zel::app {

std::string IntegerRangeMessage(int low, int high) {
  return "Please enter an integer between " + std::to_string(low) + " and " + std::to_string(high) +
         ".";
}

std::string MaxCharsMessage(std::size_t count) {
  return "Please enter no more than " + std::to_string(count) + " characters.";
}

}  // namespace zel::app
