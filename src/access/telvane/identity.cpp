#include "access/telvane/identity.h"

#include "access/telvane/limits.h"
#include "platform/no_case.h"

namespace zel::telvane {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Texts from the controller are kept only as long as the host's buffers can take them.
std::string Bounded(std::string_view text) {
  return std::string(text.substr(0, kRemoteTextMaxLength));
}

}  // namespace

KernelVersion ParseKernelVersion(std::string_view banner) {
  KernelVersion version;
  const std::size_t v = banner.find('V');
  if (v == std::string_view::npos) return version;
  const std::string_view text = banner.substr(v);
  if (text.size() != 5 || text.substr(0, 3) != "V2." || text[3] < '2' || text[3] > '9' ||
      !IsDigit(text[4])) {
    return version;
  }
  version.text = std::string(text);
  version.number = 2 * 256 + (text[3] - '0') * 10 + (text[4] - '0');
  return version;
}

std::optional<std::int64_t> ReadNumber(std::string_view text) {
  constexpr std::int64_t kLimit = std::int64_t{1} << 40;  // far beyond any 32-bit value
  std::int64_t value = 0;
  bool any = false;
  if (!text.empty() && text[0] == '$') {
    for (char c : text.substr(1)) {
      const int digit = HexValue(c);
      if (digit < 0) break;
      if (value < kLimit) value = value * 16 + digit;
      any = true;
    }
    return any ? std::optional(value) : std::nullopt;
  }
  const bool negative = !text.empty() && text[0] == '-';
  for (char c : text.substr(negative ? 1 : 0)) {
    if (!IsDigit(c)) break;
    if (value < kLimit) value = value * 10 + (c - '0');
    any = true;
  }
  if (!any) return std::nullopt;
  return negative ? -value : value;
}

std::uint32_t IdentityFlags(std::string_view reply) {
  const std::size_t first = reply.find(',');
  if (first == std::string_view::npos) return 0;
  const std::size_t second = reply.find(',', first + 1);
  if (second == std::string_view::npos) return 0;
  const auto value = ReadNumber(reply.substr(first + 1, second - first - 1));
  return value ? static_cast<std::uint32_t>(*value) : 0;
}

Identity ParseIdentity(std::string_view reply, const KernelVersion& version) {
  Identity identity;
  const std::size_t first = reply.find(',');
  if (first != std::string_view::npos && first + 1 < reply.size() && reply[first + 1] == '$') {
    identity.recognised = true;
    identity.loginResult = "KOLVA KZC " + version.text;
    identity.platform = Bounded(reply.substr(0, first));
    if (platform::EqualsNoCase(identity.platform, "RUD0") ||
        platform::EqualsNoCase(identity.platform, "RUD1")) {
      identity.platform = "RUD";
    }
    identity.loginResult += ", " + identity.platform;
    const std::size_t second = reply.find(',', first + 1);
    if (second != std::string_view::npos) {
      identity.flags = IdentityFlags(reply);
      const std::size_t third = reply.find(',', second + 1);
      if (third != std::string_view::npos) {
        identity.project = Bounded(reply.substr(second + 1, third - second - 1));
        identity.loginResult += ", " + identity.project;
        if (third + 1 < reply.size() && reply[third + 1] == ',') {
          identity.project.clear();  // an empty run-file field: no project loaded
        } else {
          const std::size_t fourth = reply.find(',', third + 1);
          if (fourth != std::string_view::npos) {
            identity.runFile = Bounded(reply.substr(third + 1, fourth - third - 1));
          }
        }
      }
    }
  }
  identity.passwordUsed = (identity.flags & kFlagUnlocked) == 0;
  identity.binaryForbidden = (identity.flags & kFlagBinaryFileCommands) == 0 ||
                             (identity.flags & kFlagBinaryNotAllowed) != 0;
  if (version.number >= kVersionWithForcingFlag) {
    identity.canForce = (identity.flags & kFlagForcing) != 0;
  } else {
    identity.canForce = platform::EqualsNoCase(identity.platform, "VM1X") ||
                        platform::EqualsNoCase(identity.platform, "VM2X");
  }
  return identity;
}

std::uint32_t ParseBuildDate(std::string_view reply) {
  if (reply.empty() || reply[0] != '=') return 0;
  std::uint64_t value = 0;
  for (char c : reply.substr(1)) {
    if (!IsDigit(c)) break;
    value = value * 10 + static_cast<unsigned>(c - '0');
    if (value > 0xFFFFFFFFu) return 0;
  }
  return static_cast<std::uint32_t>(value);
}

}  // namespace zel::telvane
