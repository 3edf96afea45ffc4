#pragma once
// The files drivers bring along: those loaded onto the controller beside the run file and
// those linked into it. Scripts write local paths with the other platform's separator
// ("<<<RUNTIMEDIR>>>\sub\drv.bin"); a path is found as written or with "/" for "\",
// without regard to case either way.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "build/build_log.h"
#include "build/driver_entry.h"

namespace zel::build {

// The existing file `text` names; nullopt when there is none.
std::optional<std::filesystem::path> FindDriverFile(std::string_view text);

struct LoadFile {
  std::string remote;  // name on the controller; its first character is the drive letter
  std::filesystem::path local;
  std::uint64_t size = 0;
  std::int64_t time = 0;  // modification time in seconds since 1970, without bias
};

// Every file to load of every driver, in table order. A file that is not there is an
// error (it would be missing on the controller) and left out.
std::vector<LoadFile> CollectFilesToLoad(const std::vector<DriverEntry>& drivers, BuildLog& log);

}  // namespace zel::build
