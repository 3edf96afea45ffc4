// Scan command lines come from IO module scripts that card makers and users write: any
// bytes must read as one command or be refused, and a command taken must hold exactly
// what its text says, never a wrapped value.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "build/scan_commands.h"
#include "build/scan_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zel::build;
  if (size < 6) return 0;
  // The first bytes place the module: an address and two words, large ones included.
  const ScanPlaceholders values{
      static_cast<std::uint32_t>(data[0] | (data[1] << 8) | (data[2] << 16)),
      data[3] | ((data[4] & 0x7F) << 8), data[5] << 4};
  const std::string_view line(reinterpret_cast<const char*>(data + 6), size - 6);
  const ScanLine parsed = ParseScanLine(line, values);
  if (parsed.status != ScanLineStatus::Command) return 0;
  // The command word alone must look up to the code taken.
  std::size_t start = 0;
  while (start < line.size() && (line[start] == ' ' || line[start] == '\t')) ++start;
  std::size_t end = start;
  while (end < line.size() && line[end] != ' ' && line[end] != '\t') ++end;
  const auto code = LookupScanCommand(line.substr(start, end - start));
  if (!code || *code != parsed.command.code) std::abort();
  return 0;
}
