#pragma once
// Links compiled modules into the run file: checks a module's kind and number against
// what is already linked, copies its header and code into a module record and merges its
// usage records into the build's copies, from which the build finds missing modules and
// writes the fieldbus slave table.

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "build/build_log.h"
#include "build/compiled_module.h"
#include "build/run_file_writer.h"

namespace zel::build {

// Link results; the texts for them are in the link error description file.
namespace link_result {
inline constexpr int kLinked = 0;
inline constexpr int kCannotOpen = 1;
inline constexpr int kWriteFailed = 2;
inline constexpr int kObjectTooShort = 3;
inline constexpr int kNotAModule = 7;
inline constexpr int kProgramTwice = 8;
inline constexpr int kCmpTwice = 9;
inline constexpr int kCfmTwice = 10;
inline constexpr int kProgramNumber = 20;
inline constexpr int kCmpNumber = 21;
inline constexpr int kCfmNumber = 22;
inline constexpr int kNoFieldbusConfiguration = 25;
// A fieldbus reference names a slave outside 1..99: the slave table has no place for it.
inline constexpr int kSlaveNumber = 26;
inline constexpr int kUnknownKind = 40;
}  // namespace link_result

inline constexpr std::size_t kMaxPrograms = 64;
inline constexpr std::size_t kMaxCalledModules = 100;  // CMPs and CFMs, each
inline constexpr std::size_t kMaxSlave = 99;

struct FieldbusSlave {
  std::uint8_t type = 0;
  std::uint8_t inputs = 0;
  std::uint8_t outputs = 0;
};

// What the linked modules of one build add up to.
struct LinkState {
  // Input: the project has a fieldbus configuration.
  bool fieldbusConfigured = false;

  std::array<bool, kMaxPrograms> programLinked{};
  std::array<bool, kMaxCalledModules> cmpLinked{};
  std::array<bool, kMaxCalledModules> cfmLinked{};
  bool anyProgramLinked = false;  // any module linked, of any kind
  bool p0Linked = false;
  // Any linked module placed fieldbus slaves.
  bool slavesPlaced = false;

  // The ORed usage records of the linked modules.
  std::vector<std::uint8_t> usage = std::vector<std::uint8_t>(kUsageMapSize, 0);
  std::array<std::uint16_t, kMaxCalledModules> cmpReferenced{};
  std::array<std::uint16_t, kMaxCalledModules> cfmReferenced{};
  // Indexed by slave number; entry 0 is never used.
  std::array<FieldbusSlave, kMaxSlave + 1> slaves{};

  // A linked module refers to program `number` (0..63).
  bool programReferenced(std::size_t number) const;
};

// Links the object file `objectFileName` of `projectDirectory`; the link result.
int LinkModule(const std::filesystem::path& projectDirectory, std::string_view objectFileName,
               LinkState& state, RunFileWriter& writer, BuildLog& log);

// The same over the file's bytes, its time already in text form; for LinkModule and tests.
int LinkModuleBytes(std::string_view objectFileName, std::span<const std::uint8_t> file,
                    std::string_view fileTimeText, LinkState& state, RunFileWriter& writer,
                    BuildLog& log);

// The fieldbus slave record: the slaves with inputs or outputs, in slave-number order.
void WriteFieldbusRecord(RunFileWriter& writer, const LinkState& state);

}  // namespace zel::build
