#include "build/module_info.h"

#include <cstdio>
#include <fstream>
#include <optional>

#include "build/compiled_module.h"
#include "platform/files.h"

namespace zel::build {

namespace {

std::string_view LanguageWord(std::uint16_t language) {
  switch (language) {
    case 0:
      return "STL (compiled)";
    case 1:
      return "Ladder (compiled)";
    case 2:
      return "C (compiled)";
    default:
      return "unknown type";
  }
}

std::string FileLine(const std::filesystem::path& path) {
  return "File: \t\t" + path.string() + "\r\n";
}

std::span<const std::uint8_t> AsBytes(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// The header is all a description needs, whatever the file's size; a FIFO or device is
// never opened (it could block).
std::optional<std::string> ReadHeaderBytes(const std::filesystem::path& path) {
  const auto found = platform::FindPathNoCase(path);
  std::error_code ec;
  if (!found || !std::filesystem::is_regular_file(*found, ec)) return std::nullopt;
  std::ifstream in(*found, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes(kModuleHeaderSize, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return bytes;
}

}  // namespace

ModuleDescription DescribeModuleBytes(std::span<const std::uint8_t> bytes,
                                      const std::filesystem::path& path) {
  const auto header = ReadModuleHeader(bytes);
  if (!header || header->firstWord != kModuleJumpWord) {
    return {FileLine(path) + "\r\r\n\n\tNOT A ZEL MODULE\r\n", false};
  }
  char version[32];
  std::snprintf(version, sizeof version, "Version: \t%d.%02X\r\n", header->major, header->minor);
  std::string text = "Language: \t";
  text += LanguageWord(header->language);
  text += "\r\n";
  text += version;
  return {std::move(text), IsCompiledModule(*header)};
}

ModuleDescription DescribeCompiledModule(const std::filesystem::path& path) {
  const auto bytes = ReadHeaderBytes(path);
  if (!bytes) return {FileLine(path) + "\r\n\r\n\t NOT FOUND\r\n", false};
  return DescribeModuleBytes(AsBytes(*bytes), path);
}

std::string CompiledLanguageName(const std::filesystem::path& objectFile) {
  const auto bytes = ReadHeaderBytes(objectFile);
  if (!bytes) return "NOT FOUND";
  const auto header = ReadModuleHeader(AsBytes(*bytes));
  if (!header || header->firstWord != kModuleJumpWord) return "NOT A ZEL MODULE";
  return std::string(LanguageWord(header->language));
}

}  // namespace zel::build
