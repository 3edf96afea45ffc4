#pragma once
// The record types of a run file and the records the build writes from its own values:
// the head of the file and the run-time mode.

#include <cstdint>
#include <string>
#include <string_view>

#include "build/run_file_writer.h"
#include "build/runtime_mode.h"

namespace zel::build {

namespace record_type {
inline constexpr std::uint16_t kEnd = 0;
inline constexpr std::uint16_t kModule = 1;
inline constexpr std::uint16_t kInputScan = 2;
inline constexpr std::uint16_t kOutputScan = 3;
inline constexpr std::uint16_t kVersion = 4;
inline constexpr std::uint16_t kText = 6;
inline constexpr std::uint16_t kRuntimeMode = 7;
inline constexpr std::uint16_t kIdentification = 8;
inline constexpr std::uint16_t kFieldbusSlaves = 9;
inline constexpr std::uint16_t kDriverData1 = 10;
inline constexpr std::uint16_t kDriverData3 = 12;  // read, never written
inline constexpr std::uint16_t kProjectName = 13;
inline constexpr std::uint16_t kPassword = 14;
inline constexpr std::uint16_t kUpdateMove = 20;
inline constexpr std::uint16_t kUpdateWrite = 21;
}  // namespace record_type

// The run file format this build writes: major 2, minor 0x24.
inline constexpr std::uint16_t kRunFileVersion = 0x0224;
// Our identification record; readers skip it.
inline constexpr std::string_view kRunFileIdentification =
    "ZEL project build: run file for the controller's kernel";

struct RunFileHead {
  std::uint32_t buildTime = 0;  // seconds since 1970
  std::string buildTimeText;    // its text form; a line end is cut off
  std::string projectName;
  std::string controllerType;
  std::string user;            // "UNKNOWN" when empty
  std::string productVersion;  // "UNKNOWN" when empty
  std::string password;        // no record when empty
};

// Version, identification, "BUILD=", project name, "TARGET=", "USER=", "PSE=" and the
// password when there is one.
void WriteHeadRecords(RunFileWriter& writer, const RunFileHead& head);

void WriteRuntimeModeRecord(RunFileWriter& writer, const RuntimeMode& mode);

// The program's version as "PSE=" names it, and the archives' comments and the print-out's
// title page after it: "UNKNOWN" when the program could not tell.
std::string ProductVersionText(std::string_view version);

// `text` up to its first CR or LF.
std::string_view CutLineEnd(std::string_view text);

}  // namespace zel::build
