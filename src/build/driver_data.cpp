#include "build/driver_data.h"

#include <string>
#include <vector>

#include "build/byte_order.h"
#include "build/run_file_records.h"
#include "platform/files.h"

namespace zel::build {
namespace {

// The record itself; false when the data is too large or the index beyond 2 (nothing
// written).
bool WriteDriverDataRecord(RunFileWriter& writer, std::uint16_t driverNumber, std::size_t fileIndex,
                           std::span<const std::uint8_t> data) {
  if (data.size() > kMaxDriverFileSize || fileIndex > 2) return false;
  std::vector<std::uint8_t> payload;
  payload.reserve(data.size() + 2);
  AppendWord(payload, driverNumber);
  payload.insert(payload.end(), data.begin(), data.end());
  return writer.WriteRecord(static_cast<std::uint16_t>(record_type::kDriverData1 + fileIndex),
                            payload);
}

}  // namespace

bool LinkDriverFile(const std::filesystem::path& path, std::uint16_t driverNumber,
                    std::size_t fileIndex, RunFileWriter& writer, BuildLog& log) {
  const std::string shown = path.string();
  const auto found = platform::FindPathNoCase(path);
  const auto content = found ? platform::ReadWholeFile(*found) : std::nullopt;
  if (!content) {
    log.error("ERROR: Cannot find file " + shown + " to be linked into project file\r\n");
    return false;
  }
  if (content->size() > kMaxDriverFileSize) {
    log.error("ERROR: File " + shown + " is too large to be linked into project file\r\n");
    return false;
  }
  const std::span<const std::uint8_t> data(reinterpret_cast<const std::uint8_t*>(content->data()),
                                           content->size());
  return WriteDriverDataRecord(writer, driverNumber, fileIndex, data);
}

}  // namespace zel::build
