// A whole IO module script as the build reads it for one entry: any text must give a
// table within its limit and a message for every line refused, never a crash.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "build/scan_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zel::build;
  if (size < 3) return 0;
  const zel::library::IoEntry entry{"FUZZ.IOD", data[0] % 20 - 2, data[1], data[2]};
  const std::string_view script(reinterpret_cast<const char*>(data + 3), size - 3);
  ScanTable table;
  TextLog log;
  AppendModuleScan(ScanDirection::Input, entry, script, table, log);
  AppendModuleScan(ScanDirection::Output, entry, script, table, log);
  if (table.commands.size() > kMaxScanCommands) std::abort();
  if (table.full && log.errors() == 0) std::abort();
  if (ScanTablePayload(table.commands).size() != table.commands.size() * kScanCommandSize) {
    std::abort();
  }
  return 0;
}
