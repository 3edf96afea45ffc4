#pragma once
// The data files a driver links into the run file: one record each, type 10 for the
// driver's first file and 11 for its second (12 for a third), holding the driver
// number and the file.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

#include "build/build_log.h"
#include "build/run_file_writer.h"

namespace zel::build {

// The kernel loads a driver's file into one segment with room to spare.
inline constexpr std::size_t kMaxDriverFileSize = 64000;

// Writes the record for `path` as the driver's file `fileIndex` (0, 1, or 2 for a third);
// false (and one error in `log`) when the file cannot be read or is too large, in which
// case nothing is written.
bool LinkDriverFile(const std::filesystem::path& path, std::uint16_t driverNumber,
                    std::size_t fileIndex, RunFileWriter& writer, BuildLog& log);

}  // namespace zel::build
