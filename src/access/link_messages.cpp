#include "access/link_messages.h"

namespace zel::access {

std::string UnexpectedErrorMessage(std::uint32_t result) {
  return "Telvane library: unexpected error " + std::to_string(result) + ".";
}

std::string ConnectFailureMessage(std::int32_t result) {
  switch (result) {
    case 1:
      return std::string(kMsgLibraryBusy);
    case 2:
      return std::string(kMsgInvalidParameter);
    case 3:
      return std::string(kMsgCannotOpenPort);
    default:
      // "%u" of the original prints a negative result as its unsigned 32-bit value.
      return UnexpectedErrorMessage(static_cast<std::uint32_t>(result));
  }
}

}  // namespace zel::access
