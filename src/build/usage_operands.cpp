#include "build/usage_operands.h"

#include <cstdint>

#include "stl/codegen/operand_access.h"

namespace zel::build {

namespace {

namespace code = stl::code;

class UsageReader {
 public:
  explicit UsageReader(const ModuleUsage& usage, std::vector<std::string>& out)
      : m_map(usage.operands), m_out(out) {}

  bool used(std::size_t offset) const {
    return (offset < m_map.size() && m_map[offset] != 0) ||
           (offset + 1 < m_map.size() && m_map[offset + 1] != 0);
  }

  // `count` words of `stride` bytes from `base` (+ `field`), entered as prefix + number.
  void words(const char* prefix, std::size_t base, int count, std::size_t stride = 2,
             std::size_t field = 0) {
    for (int n = 0; n < count; ++n) {
      if (used(base + stride * static_cast<std::size_t>(n) + field)) {
        m_out.push_back(prefix + std::to_string(n));
      }
    }
  }

 private:
  const std::vector<std::uint8_t>& m_map;
  std::vector<std::string>& m_out;
};

constexpr int kLocalWords = 256;
constexpr int kFlagWordCount = 10000;
constexpr int kProgramCount = 64;

template <std::size_t N>
void Calls(const char* prefix, const std::array<std::uint16_t, N>& entries,
           std::vector<std::string>& out) {
  for (std::size_t n = 0; n < N; ++n) {
    if (entries[n] != 0) out.push_back(prefix + std::to_string(n));
  }
}

}  // namespace

std::vector<std::string> UsedOperands(const ModuleUsage& usage) {
  std::vector<std::string> out;
  UsageReader map(usage, out);
  map.words("EW", code::kInputWords, kLocalWords);
  map.words("AW", code::kOutputWords, kLocalWords);
  map.words("MW", code::kFlagWords, kFlagWordCount);
  map.words("R", code::kRegisters, kLocalWords);
  map.words("P", code::kPrograms, kProgramCount);
  map.words("O", code::kFunctionWords, kLocalWords);
  map.words("Z", code::kCounters, kLocalWords, 6, 0);
  map.words("ZV", code::kCounters, kLocalWords, 6, 2);
  map.words("ZW", code::kCounters, kLocalWords, 6, 4);
  map.words("T", code::kTimers, kLocalWords, 10, 0);
  map.words("TV", code::kTimers, kLocalWords, 10, 2);
  map.words("TW", code::kTimers, kLocalWords, 10, 4);
  if (map.used(code::kFaultWord)) out.emplace_back("F");
  Calls("g", usage.cfm, out);
  Calls("c", usage.cmp, out);
  return out;
}

}  // namespace zel::build
