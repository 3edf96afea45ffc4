#include "library/runtime_folder.h"

#include <string>

#include "platform/files.h"
#include "platform/no_case.h"

namespace zel::library {

fs::path RuntimeDirectory(const fs::path& programDirectory, std::string_view type) {
  std::string name(kRuntimeFolderPrefix);
  name += platform::UpperAscii(type);
  return platform::ResolvePathNoCase(programDirectory / name);
}

fs::path RuntimeFilePath(const fs::path& programDirectory, std::string_view type,
                         std::string_view file) {
  return platform::ResolvePathNoCase(RuntimeDirectory(programDirectory, type) / file);
}

fs::path DriverScriptPath(const fs::path& programDirectory, std::string_view type,
                          std::string_view name) {
  std::string file(name);
  file += kDriverScriptExtension;
  return RuntimeFilePath(programDirectory, type, file);
}

}  // namespace zel::library
