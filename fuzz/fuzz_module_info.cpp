// Compiled module files come from libraries and users: any bytes must be described or
// refused, and a module's usage records read within the file, never past it. The same
// input read as a ".XREF" text must give uses that lie inside it.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>

#include "build/compiled_module.h"
#include "build/cross_reference.h"
#include "build/module_info.h"
#include "build/usage_operands.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zel::build;
  const std::span<const std::uint8_t> bytes(data, size);
  const auto description = DescribeModuleBytes(bytes, "fuzz.obj");
  if (description.text.empty()) std::abort();
  const auto header = ReadModuleHeader(bytes);
  if (description.isModule && !(header && IsCompiledModule(*header))) std::abort();
  if (header) {
    if (const auto usage = ReadModuleUsage(bytes, *header)) {
      if (usage->operands.size() != kUsageMapSize) std::abort();
      if (usage->fieldbus.size() * 4 > size) std::abort();
      // At most every word of every area and every called module.
      if (UsedOperands(*usage).size() > kUsageMapSize + 2 * kCalledModuleEntries) std::abort();
    }
  }
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  ReadXrefLines(text, [&](std::string_view operand, unsigned) {
    if (operand.empty() || operand.data() < text.data() ||
        operand.data() + operand.size() > text.data() + text.size())
      std::abort();
  });
  return 0;
}
