// Error description files are text anyone may edit: any bytes must give a description or
// none, never more than one line's worth.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "build/error_descriptions.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const long code = static_cast<std::int8_t>(data[0]);
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  const auto description = zel::build::FindErrorDescription(text, code);
  if (description && (description->size() >= zel::build::kErrorLineMax ||
                      description->find('\n') != std::string::npos)) {
    std::abort();
  }
  return 0;
}
