#include "sim/module_image.h"

namespace zel::emu {

std::uint16_t ImageWord(std::span<const std::uint8_t> bytes, std::size_t offset) {
  return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

std::optional<std::string> CheckModuleImage(std::span<const std::uint8_t> file) {
  if (file.size() < kHeaderSize) {
    return "The module file is too short: " + std::to_string(file.size()) +
           " bytes, a module header alone has 128.";
  }
  if (file[kHeaderJump] != 0xEB || file[kHeaderJump + 1] != 0x7E) {
    return "The module file does not start with the module header's jump (EB 7E).";
  }
  const std::uint16_t format = ImageWord(file, kHeaderFormat);
  if (format != kFormatValue) {
    return "The module header is not valid: the word at offset 6 is " + std::to_string(format) +
           ", not 2.";
  }
  const std::size_t codeEnd = ImageWord(file, kHeaderCodeEnd);
  if (codeEnd <= kHeaderSize) {
    return "The module header is not valid: the module has no code (word at offset 24 is " +
           std::to_string(codeEnd) + ").";
  }
  if (codeEnd - kHeaderSize > kMaxCodeSize) {
    return "The module header is not valid: " + std::to_string(codeEnd - kHeaderSize) +
           " bytes of code, at most 65000.";
  }
  if (codeEnd > file.size()) {
    return "The module file is too short: the code ends at byte " + std::to_string(codeEnd) +
           ", the file has " + std::to_string(file.size()) + ".";
  }
  return std::nullopt;
}

}  // namespace zel::emu
