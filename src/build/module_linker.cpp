#include "build/module_linker.h"

#include <algorithm>
#include <cctype>
#include <limits>

#include "build/byte_order.h"
#include "build/run_file_records.h"
#include "build/run_record.h"
#include "platform/files.h"
#include "platform/timebase.h"

namespace zel::build {
namespace {

using namespace link_result;

// Object file names follow the module file names: "CZ0" + kind letter + two digits of
// the number + version, then the controller type and ".OBJ".
constexpr std::size_t kKindAt = 3;
constexpr std::size_t kNumberAt = 4;

struct ModuleKind {
  char letter = 0;  // upper case
  int number = 0;
};

// The kind and number of `name`, marked linked in `state`; a link result.
int ClaimModule(std::string_view name, LinkState& state, ModuleKind& kind) {
  if (name.size() < kNumberAt + 2 || !std::isdigit(static_cast<unsigned char>(name[kNumberAt])) ||
      !std::isdigit(static_cast<unsigned char>(name[kNumberAt + 1]))) {
    return kUnknownKind;
  }
  kind.letter = static_cast<char>(std::toupper(static_cast<unsigned char>(name[kKindAt])));
  kind.number = (name[kNumberAt] - '0') * 10 + (name[kNumberAt + 1] - '0');
  const auto number = static_cast<std::size_t>(kind.number);
  switch (kind.letter) {
    case 'P':
      if (number >= kMaxPrograms) return kProgramNumber;
      if (state.programLinked[number]) return kProgramTwice;
      state.programLinked[number] = true;
      return kLinked;
    case 'B':
      if (number >= kMaxCalledModules) return kCmpNumber;
      if (state.cmpLinked[number]) return kCmpTwice;
      state.cmpLinked[number] = true;
      return kLinked;
    case 'F':
      if (number >= kMaxCalledModules) return kCfmNumber;
      if (state.cfmLinked[number]) return kCfmTwice;
      state.cfmLinked[number] = true;
      return kLinked;
    default:
      return kUnknownKind;
  }
}

void MergeUsage(const ModuleUsage& usage, LinkState& state) {
  const std::size_t shared = std::min(usage.operands.size(), state.usage.size());
  for (std::size_t i = 0; i < shared; ++i) state.usage[i] |= usage.operands[i];
  for (std::size_t i = 0; i < kMaxCalledModules; ++i) {
    state.cmpReferenced[i] |= usage.cmp[i];
    state.cfmReferenced[i] |= usage.cfm[i];
  }
  for (const FieldbusReference& reference : usage.fieldbus) {
    FieldbusSlave& slave = state.slaves[reference.slave];
    slave.type = reference.type;
    slave.inputs = std::max(slave.inputs, reference.inputs);
    slave.outputs = std::max(slave.outputs, reference.outputs);
    state.slavesPlaced = true;
  }
}

// Everything after the module is claimed: checks the object, writes its records and
// merges its usage. All checks come before the first byte is written, so a refused
// module leaves no half record behind.
int LinkObject(std::string_view name, const ModuleKind& kind, std::span<const std::uint8_t> file,
               std::string_view fileTimeText, LinkState& state, RunFileWriter& writer) {
  auto header = ReadModuleHeader(file);
  if (!header || !IsCompiledModule(*header)) return kNotAModule;
  std::size_t moduleLength = header->length;
  if (header->language == static_cast<std::uint16_t>(ModuleLanguage::C)) {
    if (moduleLength < kCModuleTrailer) return kNotAModule;
    moduleLength -= kCModuleTrailer;
  }
  if (moduleLength < kModuleHeaderSize ||
      moduleLength > std::numeric_limits<std::uint16_t>::max() - 2u) {
    return kNotAModule;
  }
  const std::size_t available = std::min(moduleLength, file.size());
  const std::size_t missing = moduleLength - available;
  if (missing > 1) return kObjectTooShort;

  std::optional<ModuleUsage> usage;
  // A file one byte short ends inside its code: it carries no usage records to merge.
  if (header->hasUsage() && missing == 0) {
    usage = ReadModuleUsage(file, *header);
    if (!usage) return kObjectTooShort;
    for (const FieldbusReference& reference : usage->fieldbus) {
      if (reference.slave == 0 || reference.slave > kMaxSlave) return kSlaveNumber;
    }
    if (!usage->fieldbus.empty() && !state.fieldbusConfigured) return kNoFieldbusConfiguration;
  }

  writer.WriteTextRecord(record_type::kText,
                         std::string(name) + ", " + std::string(CutLineEnd(fileTimeText)));
  header->bytes[30] = static_cast<std::uint8_t>(kind.number);
  header->bytes[31] = static_cast<std::uint8_t>(kind.letter);
  writer.WriteWord(static_cast<std::uint16_t>(record_type::kModule | kChecksumFlag));
  writer.WriteWord(static_cast<std::uint16_t>(moduleLength + 2));
  writer.BeginChecksum();
  writer.WriteBytes(header->bytes);
  writer.WriteBytes(file.subspan(kModuleHeaderSize, available - kModuleHeaderSize));
  if (missing == 1) {
    const std::uint8_t zero = 0;
    writer.WriteBytes({&zero, 1});
  }
  writer.EndChecksum();
  if (writer.failed()) return kWriteFailed;

  if (usage) MergeUsage(*usage, state);
  state.anyProgramLinked = true;
  if (kind.letter == 'P' && kind.number == 0) state.p0Linked = true;
  return kLinked;
}

void PrintLinking(std::string_view name, BuildLog& log) {
  log.print("linking  " + std::string(name) + "\r\n");
}

}  // namespace

bool LinkState::programReferenced(std::size_t number) const {
  if (number >= kProgramsInUsageMap) return false;
  return Word(usage, kProgramsUsageOffset + 2 * number) != 0;
}

int LinkModule(const std::filesystem::path& projectDirectory, std::string_view objectFileName,
               LinkState& state, RunFileWriter& writer, BuildLog& log) {
  PrintLinking(objectFileName, log);
  ModuleKind kind;
  if (const int result = ClaimModule(objectFileName, state, kind); result != kLinked) {
    return result;
  }
  const auto path = platform::FindPathNoCase(projectDirectory / std::string(objectFileName));
  if (!path) return kCannotOpen;
  const auto content = platform::ReadWholeFile(*path);
  if (!content) return kCannotOpen;
  const std::span<const std::uint8_t> file(reinterpret_cast<const std::uint8_t*>(content->data()),
                                           content->size());
  return LinkObject(objectFileName, kind, file, platform::TimeText24(platform::FileTime(*path)),
                    state, writer);
}

int LinkModuleBytes(std::string_view objectFileName, std::span<const std::uint8_t> file,
                    std::string_view fileTimeText, LinkState& state, RunFileWriter& writer,
                    BuildLog& log) {
  PrintLinking(objectFileName, log);
  ModuleKind kind;
  if (const int result = ClaimModule(objectFileName, state, kind); result != kLinked) {
    return result;
  }
  return LinkObject(objectFileName, kind, file, fileTimeText, state, writer);
}

void WriteFieldbusRecord(RunFileWriter& writer, const LinkState& state) {
  std::vector<std::uint8_t> payload;
  std::uint16_t count = 0;
  AppendWord(payload, 0);
  for (std::size_t number = 1; number <= kMaxSlave; ++number) {
    const FieldbusSlave& slave = state.slaves[number];
    if (slave.inputs == 0 && slave.outputs == 0) continue;
    payload.insert(payload.end(),
                   {static_cast<std::uint8_t>(number), slave.type, slave.inputs, slave.outputs});
    ++count;
  }
  payload[0] = static_cast<std::uint8_t>(count & 0xFF);
  payload[1] = static_cast<std::uint8_t>(count >> 8);
  writer.WriteRecord(record_type::kFieldbusSlaves, payload);
}

}  // namespace zel::build
