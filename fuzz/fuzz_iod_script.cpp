// IO module scripts (".iod") come from card makers and users: any bytes must read as a
// module or be refused, never crash or run away; a module read keeps its own limits.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "library/io_collision.h"
#include "library/io_module_script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zel::library;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto module = ParseIoModuleScript(text, "fuzz.iod");
  if (!module) return 0;
  if (module->allowedPositionCount() > kMaxSwitchPositions) std::abort();
  if (module->inputScan.size() + module->outputScan.size() > size) std::abort();
  (void)ListSwitchPositionsDecimal(*module);
  (void)ListSwitchPositionsHex(*module);
  // The module placed twice: the checks must hold for any sizes and addresses it has.
  const IoModuleList list({*module});
  const std::vector<IoEntry> entries = {{"FUZZ.IOD", 0, 0, 0}, {"FUZZ.IOD", 255, 255, 255}};
  (void)FindIoCollision(entries[1], entries, 1, list);
  (void)ValidateIoEntry(entries[1], &list.at(0));
  return 0;
}
