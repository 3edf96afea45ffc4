// The code generator reads the intermediate text that the check writes; a damaged or
// hand-edited file must give messages, never a crash, a hang or a malformed module file.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "stl/codegen/code_generator.h"
#include "stl/codegen/translator.h"
#include "stl/lang/fieldbus_config.h"

namespace {

using namespace zel::stl;

void Check(bool condition) {
  if (!condition) std::abort();
}

std::uint16_t WordAt(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

std::string FieldbusBytes() {
  std::string bytes(kFieldbusConfigSize, '\0');
  bytes[1 * kFieldbusRecordSize] = 0x01;  // station 1: byte units
  bytes[1 * kFieldbusRecordSize + 3] = 4;
  bytes[1 * kFieldbusRecordSize + 6] = 4;
  bytes[2 * kFieldbusRecordSize] = 0x21;  // station 2: word units
  bytes[2 * kFieldbusRecordSize + 3] = 8;
  bytes[2 * kFieldbusRecordSize + 6] = 8;
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte picks the module type and the fieldbus file, the rest is the text.
  const char types[] = {'P', 'B', 'F'};
  CodeGenSetup setup;
  setup.module = std::string("CZ0") + types[data[0] % 3] + "05V1";
  const int config = (data[0] / 3) % 3;
  setup.readFieldbusConfig = [config]() -> std::optional<std::string> {
    if (config == 0) return std::nullopt;
    return config == 1 ? FieldbusBytes() : std::string(10, '\x01');
  };
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  const CodeGenResult result = GenerateCode(text, setup);

  if (result.errors > 0) {
    Check(result.object.empty() && !result.lines.empty());
    return 0;
  }
  Check(result.codeSize <= code::kCodeLimit);
  const std::size_t map = code::kHeaderSize + result.codeSize;
  Check(result.object.size() >= map + code::kOperandAreaSize + 402);
  Check(WordAt(result.object, 0) == 0x7EEB);
  Check(WordAt(result.object, 24) == map);
  const std::size_t stations = WordAt(result.object, map + code::kOperandAreaSize + 400);
  Check(result.object.size() == map + code::kOperandAreaSize + 402 + 4 * stations);
  return 0;
}
