#include "access/identity_reply.h"

#include "access/reply_number.h"
#include "platform/no_case.h"

namespace zel::access {
namespace {

constexpr auto npos = std::string_view::npos;

// The flags field: hexadecimal after "$", else decimal with an optional "-"; whatever
// follows the digits is ignored, and a field without digits gives 0.
std::uint32_t ReadFlags(std::string_view field) {
  const auto number = ReadReplyNumber(field);
  return number ? static_cast<std::uint32_t>(number->value) : 0;
}

}  // namespace

bool Identity::canForceOperands(std::int32_t versionNumber) const {
  if (versionNumber >= kForcingFlagVersion) return (flags & kFlagForcing) != 0;
  return platform::EqualsNoCase(platform, "VM1X") || platform::EqualsNoCase(platform, "VM2X");
}

Identity ReadIdentity(std::string_view reply) {
  Identity identity;
  const std::size_t first = reply.find(',');
  if (first == npos || first + 1 >= reply.size() || reply[first + 1] != '$') return identity;
  identity.identified = true;
  identity.platform = std::string(reply.substr(0, first));
  if (platform::EqualsNoCase(identity.platform, "RUD0") ||
      platform::EqualsNoCase(identity.platform, "RUD1")) {
    identity.platform = "RUD";
  }
  const std::size_t second = reply.find(',', first + 1);
  if (second == npos) return identity;
  identity.flags = ReadFlags(reply.substr(first + 1, second - first - 1));
  const std::size_t third = reply.find(',', second + 1);
  if (third == npos) return identity;
  identity.project = std::string(reply.substr(second + 1, third - second - 1));
  if (third + 1 < reply.size() && reply[third + 1] == ',') {
    // An empty run-file field: no project is loaded, whatever the project field says.
    identity.project.clear();
    return identity;
  }
  const std::size_t fourth = reply.find(',', third + 1);
  if (fourth != npos) identity.runFile = std::string(reply.substr(third + 1, fourth - third - 1));
  return identity;
}

}  // namespace zel::access
