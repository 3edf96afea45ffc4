#include "build/run_file_listing.h"

#include <cstdio>
#include <string>
#include <string_view>

#include "app/text/text_format.h"
#include "build/byte_order.h"
#include "build/run_file_records.h"
#include "build/run_record.h"
#include "build/runtime_mode.h"
#include "build/scan_commands.h"
#include "platform/files.h"

namespace zel::build {
namespace {

// Bounded reads: a payload too short for a field reads zeros where it ends.
std::uint16_t WordAt(std::span<const std::uint8_t> bytes, std::size_t at) {
  const auto byte = [&](std::size_t i) -> unsigned { return i < bytes.size() ? bytes[i] : 0u; };
  return static_cast<std::uint16_t>(byte(at) | (byte(at + 1) << 8));
}

std::uint32_t DoubleWordAt(std::span<const std::uint8_t> bytes, std::size_t at) {
  return WordAt(bytes, at) | (static_cast<std::uint32_t>(WordAt(bytes, at + 2)) << 16);
}

// The text of a NUL-terminated payload; a payload without a NUL ends where it ends.
std::string_view TextOf(std::span<const std::uint8_t> payload) {
  std::string_view text(reinterpret_cast<const char*>(payload.data()), payload.size());
  return text.substr(0, text.find('\0'));
}

std::string VersionText(std::uint16_t major, std::uint16_t minor) {
  return app::FormatText("Version Number = %X.%02X\r\n", static_cast<unsigned>(major),
                         static_cast<unsigned>(minor));
}

std::string ModuleLine(std::span<const std::uint8_t> payload) {
  const std::uint16_t kindNumber = WordAt(payload, 30);
  std::string line;
  switch (kindNumber >> 8) {
    case 'P':
      line = "Program";
      break;
    case 'B':
      line = "CMP";
      break;
    case 'F':
      line = "CFM";
      break;
    default:
      line = "invalid type";
  }
  line += app::FormatText(" %02u, ", static_cast<unsigned>(kindNumber & 0xFF));
  switch (WordAt(payload, 2)) {
    case 0:
      line += "STL";
      break;
    case 1:
      line += "Ladder Diagram";
      break;
    case 2:
      line += "C";
      break;
    default:
      line += "unknown programming language";
  }
  return line + ", " + VersionText(WordAt(payload, 6), WordAt(payload, 4));
}

constexpr std::size_t kScanCommandSize = 8;

std::string ScanTableText(bool input, std::span<const std::uint8_t> payload) {
  const std::size_t count = payload.size() / kScanCommandSize;
  std::string text = app::FormatText(
      input ? "Input Scan Table  (%u Commands)\r\n" : "Output Scan Table  (%u Commands)\r\n",
      static_cast<unsigned>(count));
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = i * kScanCommandSize;
    const std::uint16_t code = WordAt(payload, at);
    const unsigned long first = DoubleWordAt(payload, at + 2);
    const unsigned second = WordAt(payload, at + 6);
    const std::string_view name = ScanCommandName(code);
    if (name.empty()) {
      text += app::FormatText("%2d: unknown (%u), %lu(%lXh), %u(%Xh)\r\n", static_cast<int>(i),
                              static_cast<unsigned>(code), first, first, second, second);
    } else {
      text += app::FormatText("%2d: %s, %lu(%lXh), %u(%Xh)\r\n", static_cast<int>(i),
                              std::string(name).c_str(), first, first, second, second);
    }
  }
  return text;
}

int BitOf(std::uint16_t mask) {
  for (int bit = 0; bit < 16; ++bit) {
    if (mask & (1u << bit)) return bit;
  }
  return 0;
}

std::string RuntimeModeLine(std::span<const std::uint8_t> payload) {
  const RuntimeMode mode = RuntimeMode::FromBytes(payload);
  std::string line = "Run-time Mode: ";
  if (mode.flags & kModeAutoStart) line += " Auto Start,";
  if (mode.flags & kModeRunStopInput) {
    line += app::FormatText(" Run/Stop Input %d.%d,", static_cast<int>(mode.runStopWord),
                            BitOf(mode.runStopMask));
  }
  if (mode.flags & kModeResetPrograms) line += " Reset Programs,";
  if (mode.flags & kModeZeroOutputs) line += " Zero Outputs,";
  if (mode.flags & kModeErrorOutput) {
    line += app::FormatText(" Error Output %d.%d,", static_cast<int>(mode.errorOutputWord),
                            BitOf(mode.errorOutputMask));
  }
  if (mode.errorProgram != -1) {
    line += app::FormatText(" Error Program %u,",
                            static_cast<unsigned>(static_cast<std::uint16_t>(mode.errorProgram)));
  }
  if (mode.flags & kModeKolvaFieldbus) line += " Kolva Fieldbus,";
  if (mode.flags & kModeFieldbusSoftErrors) line += " Kolva Fieldbus Soft Errors,";
  if (mode.flags & kModeProfibus) line += " PROFIBUS,";
  return line + "\r\n";
}

std::string FieldbusText(std::span<const std::uint8_t> payload) {
  std::string text =
      app::FormatText("Kolva Fieldbus, %u bytes\r\n", static_cast<unsigned>(payload.size()));
  const std::size_t stored = payload.size() < 2 ? 0 : (payload.size() - 2) / 4;
  const std::size_t count = std::min<std::size_t>(WordAt(payload, 0), stored);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = 2 + 4 * i;
    text += app::FormatText(
        "Slave = %u, Type = %u, Inputs = %u, Outputs = %u\r\n", static_cast<unsigned>(payload[at]),
        static_cast<unsigned>(payload[at + 1]), static_cast<unsigned>(payload[at + 2]),
        static_cast<unsigned>(payload[at + 3]));
  }
  return text;
}

std::string RecordText(const RunRecord& record) {
  const auto payload = record.payload;
  switch (record.type) {
    case record_type::kModule:
      return ModuleLine(payload);
    case record_type::kInputScan:
    case record_type::kOutputScan:
      return ScanTableText(record.type == record_type::kInputScan, payload);
    case record_type::kVersion: {
      const std::uint16_t version = WordAt(payload, 0);
      return VersionText(version >> 8, version & 0xFF);
    }
    case record_type::kText:
      return std::string(TextOf(payload)) + "\r\n";
    case record_type::kRuntimeMode:
      return RuntimeModeLine(payload);
    case record_type::kIdentification:
      return {};
    case record_type::kFieldbusSlaves:
      return FieldbusText(payload);
    case record_type::kDriverData1:
    case record_type::kDriverData1 + 1:
    case record_type::kDriverData3:
      return app::FormatText("Driver Data %u for Driver %u, %u Bytes\r\n",
                             static_cast<unsigned>(record.type - 9),
                             static_cast<unsigned>(WordAt(payload, 0)),
                             static_cast<unsigned>(payload.size() < 2 ? 0 : payload.size() - 2));
    case record_type::kProjectName:
      return "Project Name = " + std::string(TextOf(payload)) + "\r\n";
    case record_type::kPassword:
      return "Password = " + std::string(TextOf(payload)) + "\r\n";
    default:
      return app::FormatText("Unknown record type %u\r\n", static_cast<unsigned>(record.type));
  }
}

constexpr std::string_view kMsgCannotRead = "\r\nCannot read project run file\r\n";

constexpr std::string_view kListingTitle = "\r\nZEL Project Run File Content\r\n\r\n";

}  // namespace

bool ListRunFileRecords(std::span<const std::uint8_t> file, BuildLog& log) {
  RecordReader reader(file);
  bool checksumsRight = true;
  while (auto record = reader.next()) {
    if (record->isEnd()) {
      log.print(app::FormatText("Total Size  %lu Bytes\r\n",
                                static_cast<unsigned long>(record->offset + kRecordFrameSize)));
      return checksumsRight;
    }
    log.print(RecordText(*record));
    if (!record->checksumMatches()) {
      checksumsRight = false;
      log.print(app::FormatText(
          "Checksum error in the record at offset %lu: stored %04Xh, sum %04Xh\r\n",
          static_cast<unsigned long>(record->offset), static_cast<unsigned>(record->checksum),
          static_cast<unsigned>(ByteSum(record->payload))));
    }
  }
  // A fault, or the bytes ran out before the end record.
  log.print(kMsgCannotRead);
  return false;
}

bool ListRunFileAt(const std::filesystem::path& path, BuildLog& log) {
  log.print(kListingTitle);
  const auto found = platform::FindPathNoCase(path);
  log.print((found ? *found : path).string() + "\r\n");
  const auto content = found ? platform::ReadWholeFile(*found) : std::nullopt;
  if (!content) {
    log.print("Cannot open project run file\r\n");
    return false;
  }
  return ListRunFileRecords(
      {reinterpret_cast<const std::uint8_t*>(content->data()), content->size()}, log);
}

bool ListRunFile(const std::optional<std::filesystem::path>& projectDirectory, BuildLog& log) {
  if (!projectDirectory) {
    log.print(kListingTitle);
    log.print("No project open\r\n");
    return false;
  }
  return ListRunFileAt(*projectDirectory / "Project.RUN", log);
}

}  // namespace zel::build
