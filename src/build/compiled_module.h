#pragma once
// A compiled module file as the linker, the cross reference, the import and the module
// information read it: the 128-byte header, and for statement-list and ladder modules the
// usage records behind the code. The one validity test here serves them all, so a file
// that one of them accepts none of the others refuses.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace zel::build {

inline constexpr std::size_t kModuleHeaderSize = 128;
inline constexpr std::uint16_t kModuleJumpWord = 0x7EEB;
inline constexpr std::uint16_t kModuleFormatMajor = 2;
inline constexpr std::uint16_t kMinFormatMinor = 0x10;
inline constexpr std::uint16_t kMaxFormatMinor = 0x99;
inline constexpr std::size_t kUsageMapSize = 27298;
inline constexpr std::size_t kCalledModuleEntries = 100;
inline constexpr std::size_t kProgramsInUsageMap = 64;
inline constexpr std::size_t kProgramsUsageOffset = 23072;  // 64 words in the usage map
// Header, a full code segment, the usage map, both call tables and a fieldbus table of
// 65,535 stations stay well below this: a larger file is no module and is not read whole.
inline constexpr std::uint64_t kLargestModuleFile = 1 << 20;
// The last bytes of a module in C belong to its build environment, not to the controller.
inline constexpr std::size_t kCModuleTrailer = 256;

enum class ModuleLanguage : std::uint16_t { StatementList = 0, Ladder = 1, C = 2 };

struct ModuleHeader {
  std::uint16_t firstWord = 0;   // offset 0, 0x7EEB in every module we write
  std::uint16_t language = 0;    // offset 2
  std::uint16_t minor = 0;       // offset 4
  std::uint16_t major = 0;       // offset 6
  std::uint16_t length = 0;      // offset 24: header and code, where the usage map starts
  std::uint16_t kindNumber = 0;  // offset 30: kind letter (high byte) and number, linker's
  std::array<std::uint8_t, kModuleHeaderSize> bytes{};

  // Statement-list and ladder modules carry usage records; modules in C do not.
  bool hasUsage() const { return language != static_cast<std::uint16_t>(ModuleLanguage::C); }
};

// The header of `file`; nullopt when it is shorter than a header.
std::optional<ModuleHeader> ReadModuleHeader(std::span<const std::uint8_t> file);

// The validity test: high byte of the first word 0x7E, format major 2, minor 0x10..0x99,
// language at most 2.
bool IsCompiledModule(const ModuleHeader& header);

struct FieldbusReference {
  std::uint8_t slave = 0;
  std::uint8_t type = 0;
  std::uint8_t inputs = 0;
  std::uint8_t outputs = 0;
};

struct ModuleUsage {
  std::vector<std::uint8_t> operands;  // kUsageMapSize bytes
  std::array<std::uint16_t, kCalledModuleEntries> cmp{};
  std::array<std::uint16_t, kCalledModuleEntries> cfm{};
  std::vector<FieldbusReference> fieldbus;
};

// The usage records of a statement-list or ladder module, read from the header's length
// on; nullopt when the file ends before them or the module carries none.
std::optional<ModuleUsage> ReadModuleUsage(std::span<const std::uint8_t> file,
                                           const ModuleHeader& header);

}  // namespace zel::build
