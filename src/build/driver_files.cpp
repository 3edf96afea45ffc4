#include "build/driver_files.h"

#include <algorithm>

#include "platform/files.h"

namespace zel::build {

std::optional<std::filesystem::path> FindDriverFile(std::string_view text) {
  if (text.empty()) return std::nullopt;
  const std::string written(text);
  if (auto found = platform::FindPathNoCase(written)) return found;
  std::string slashed = written;
  std::replace(slashed.begin(), slashed.end(), '\\', '/');
  if (slashed == written) return std::nullopt;
  return platform::FindPathNoCase(slashed);
}

std::vector<LoadFile> CollectFilesToLoad(const std::vector<DriverEntry>& drivers, BuildLog& log) {
  std::vector<LoadFile> files;
  for (const DriverEntry& driver : drivers) {
    for (const FileToLoad& file : driver.filesToLoad) {
      const std::optional<std::filesystem::path> local = FindDriverFile(file.local);
      const auto size = local ? platform::FileSize(*local) : std::nullopt;
      const auto time = local ? platform::FileModTime(*local) : std::nullopt;
      if (!size || !time || std::filesystem::is_directory(*local)) {
        log.error("ERROR: Cannot find file " + file.local + " of driver " + driver.name +
                  " to be loaded\r\n");
        continue;
      }
      files.push_back({file.remote, *local, *size, *time});
    }
  }
  return files;
}

}  // namespace zel::build
