#include "build/compiled_module.h"

#include <algorithm>

#include "build/byte_order.h"

namespace zel::build {

std::optional<ModuleHeader> ReadModuleHeader(std::span<const std::uint8_t> file) {
  if (file.size() < kModuleHeaderSize) return std::nullopt;
  ModuleHeader header;
  std::copy_n(file.begin(), kModuleHeaderSize, header.bytes.begin());
  header.firstWord = Word(file, 0);
  header.language = Word(file, 2);
  header.minor = Word(file, 4);
  header.major = Word(file, 6);
  header.length = Word(file, 24);
  header.kindNumber = Word(file, 30);
  return header;
}

bool IsCompiledModule(const ModuleHeader& header) {
  return (header.firstWord >> 8) == 0x7E && header.major == kModuleFormatMajor &&
         header.minor >= kMinFormatMinor && header.minor <= kMaxFormatMinor &&
         header.language <= static_cast<std::uint16_t>(ModuleLanguage::C);
}

std::optional<ModuleUsage> ReadModuleUsage(std::span<const std::uint8_t> file,
                                           const ModuleHeader& header) {
  if (!header.hasUsage()) return std::nullopt;
  constexpr std::size_t kTablesSize = 2 * 2 * kCalledModuleEntries;
  std::size_t at = header.length;
  if (at > file.size() || file.size() - at < kUsageMapSize + kTablesSize + 2) {
    return std::nullopt;
  }
  ModuleUsage usage;
  usage.operands.assign(file.begin() + static_cast<std::ptrdiff_t>(at),
                        file.begin() + static_cast<std::ptrdiff_t>(at + kUsageMapSize));
  at += kUsageMapSize;
  for (auto& entry : usage.cmp) {
    entry = Word(file, at);
    at += 2;
  }
  for (auto& entry : usage.cfm) {
    entry = Word(file, at);
    at += 2;
  }
  const std::size_t count = Word(file, at);
  at += 2;
  if ((file.size() - at) / 4 < count) return std::nullopt;
  usage.fieldbus.reserve(count);
  for (std::size_t i = 0; i < count; ++i, at += 4) {
    usage.fieldbus.push_back({file[at], file[at + 1], file[at + 2], file[at + 3]});
  }
  return usage;
}

}  // namespace zel::build
