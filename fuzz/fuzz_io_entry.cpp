// IO entries come from the project file and the clipboard: any text must read as an
// entry or be refused, and an entry read must be written back to the same entry.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "library/io_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zel::library;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto entry = ParseIoEntry(text);
  if (!entry) return 0;
  if (entry->module.empty() || entry->switchPosition < 0 || entry->iw < 0 || entry->ow < 0)
    std::abort();
  // A module name holding a comma cannot come back; all else must.
  if (entry->module.find(',') != std::string::npos) std::abort();
  if (ParseIoEntry(FormatIoEntry(*entry)) != entry) std::abort();
  return 0;
}
