#pragma once
// The short text that tells what a compiled module file is: its language and format
// version, or why it is no module. The module properties show the language of an
// imported module from the same header.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace zel::build {

struct ModuleDescription {
  std::string text;
  bool isModule = false;  // the one validity test of build/compiled_module.h passed
};

// The description of the file at `path`, read from disk.
ModuleDescription DescribeCompiledModule(const std::filesystem::path& path);

// The same for bytes already read; `path` only names the file in the text.
ModuleDescription DescribeModuleBytes(std::span<const std::uint8_t> bytes,
                                      const std::filesystem::path& path);

// The language word of an object file for "Language:\t%s": "STL (compiled)", "Ladder
// (compiled)", "C (compiled)" or "unknown type"; "NOT A ZEL MODULE" when the file is
// none, "NOT FOUND" when it cannot be read.
std::string CompiledLanguageName(const std::filesystem::path& objectFile);

}  // namespace zel::build
