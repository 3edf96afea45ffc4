#include "build/run_file_records.h"

#include <array>

namespace zel::build {

std::string_view CutLineEnd(std::string_view text) {
  return text.substr(0, text.find_first_of("\r\n"));
}

void WriteHeadRecords(RunFileWriter& writer, const RunFileHead& head) {
  const std::array<std::uint8_t, 2> version = {static_cast<std::uint8_t>(kRunFileVersion & 0xFF),
                                               static_cast<std::uint8_t>(kRunFileVersion >> 8)};
  writer.WriteRecord(record_type::kVersion, version);
  writer.WriteTextRecord(record_type::kIdentification, kRunFileIdentification);
  writer.WriteTextRecord(record_type::kText, "BUILD=" + std::to_string(head.buildTime) + "," +
                                                 std::string(CutLineEnd(head.buildTimeText)));
  writer.WriteTextRecord(record_type::kProjectName, head.projectName);
  writer.WriteTextRecord(record_type::kText, "TARGET=" + head.controllerType);
  writer.WriteTextRecord(record_type::kText,
                         "USER=" + (head.user.empty() ? std::string("UNKNOWN") : head.user));
  writer.WriteTextRecord(record_type::kText, "PSE=" + ProductVersionText(head.productVersion));
  if (!head.password.empty()) writer.WriteTextRecord(record_type::kPassword, head.password);
}

std::string ProductVersionText(std::string_view version) {
  return version.empty() ? std::string("UNKNOWN") : std::string(version);
}

void WriteRuntimeModeRecord(RunFileWriter& writer, const RuntimeMode& mode) {
  writer.WriteRecord(record_type::kRuntimeMode, mode.bytes());
}

}  // namespace zel::build
