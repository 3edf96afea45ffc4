#pragma once
// What the controller tells about itself during the login: the kernel version in its
// banner, its identity and status flags in the reply to "L?", and the project build date in
// the reply to "LB".
//
//   identity = platform "," "$" flags-hex "," project "," run-file "," { further fields }

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zel::telvane {

// Bits of the flags word.
inline constexpr std::uint32_t kFlagBinaryFileCommands = 1u << 3;
inline constexpr std::uint32_t kFlagUnlocked = 1u << 4;
inline constexpr std::uint32_t kFlagBinaryNotAllowed = 1u << 7;
inline constexpr std::uint32_t kFlagForcing = 1u << 8;
// Kernels from 2.25 on report forcing in the flags word.
inline constexpr int kVersionWithForcingFlag = 2 * 256 + 25;

struct KernelVersion {
  std::string text = "?";  // "V2.25", or "?" when the banner has no version this library serves
  int number = 0;          // major * 256 + minor
  bool valid() const { return number != 0; }
};

// The banner must end in "V2." followed by a digit 2 to 9 and a digit.
KernelVersion ParseKernelVersion(std::string_view banner);

// The reading rule of every number the controller sends: "$" and hexadecimal digits, or an
// optional "-" and decimal digits; reading stops at the first other character. nullopt
// when no digit follows.
std::optional<std::int64_t> ReadNumber(std::string_view text);

struct Identity {
  bool recognised = false;  // the reply had "," directly followed by "$"
  std::string platform;
  std::uint32_t flags = 0;
  std::string project;
  std::string runFile;
  std::string loginResult;  // "KOLVA KZC V2.25, RUD, PROJECT"
  bool passwordUsed = true;
  bool binaryForbidden = true;
  bool canForce = false;
};

Identity ParseIdentity(std::string_view reply, const KernelVersion& version);
// The flags word alone: the field between the first and the second comma.
std::uint32_t IdentityFlags(std::string_view reply);
// "=" and an unsigned decimal; 0 for anything else.
std::uint32_t ParseBuildDate(std::string_view reply);

}  // namespace zel::telvane
