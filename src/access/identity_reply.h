#pragma once
// The controller's identity and status, its reply to "L?":
//   platform "," "$" flags "," project "," run file "," ...
// read the way the login reads it, so what zel shows agrees with what the library
// decided.

#include <cstdint>
#include <string>
#include <string_view>

namespace zel::access {

// Bits of the flags word.
inline constexpr std::uint32_t kFlagPasswordFunctions = 1u << 1;  // Lock, Unlock, password
inline constexpr std::uint32_t kFlagPasswordSet = 1u << 2;        // "Change Password"
inline constexpr std::uint32_t kFlagBinarySupported = 1u << 3;
inline constexpr std::uint32_t kFlagUnlocked = 1u << 4;
inline constexpr std::uint32_t kFlagBinaryNotAllowed = 1u << 7;
inline constexpr std::uint32_t kFlagForcing = 1u << 8;

// The kernel version from which forcing is announced by its flag: 2.25.
inline constexpr std::int32_t kForcingFlagVersion = 2 * 256 + 25;

struct Identity {
  bool identified = false;  // the reply had a comma followed by "$"
  std::string platform;     // "RUD0" and "RUD1" read as "RUD"
  std::uint32_t flags = 0;  // 0 when not found
  std::string project;      // empty when no project is loaded
  std::string runFile;

  // A reply without the identity counts as password-protected.
  bool passwordUsed() const { return (flags & kFlagUnlocked) == 0; }
  bool binaryFileCommandsForbidden() const {
    return (flags & kFlagBinarySupported) == 0 || (flags & kFlagBinaryNotAllowed) != 0;
  }
  // Kernels before 2.25 have no forcing flag: only the VM1X and VM2X platforms force.
  bool canForceOperands(std::int32_t versionNumber) const;
  bool projectLoaded() const { return !project.empty(); }
};

Identity ReadIdentity(std::string_view reply);

}  // namespace zel::access
