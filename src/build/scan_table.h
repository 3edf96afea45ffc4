#pragma once
// The input and output scan tables of a build: each entry of the project's IO
// configuration names an IO module script of the run-time library; the script's scan
// section for the direction, with the entry's place filled in, is appended to the table.
//
// A script as the build reads it, line by line (lines of at most kScanLineMax
// characters):
//   ;$EA <sizes...> $<address 0> $<address 1> ...   before the section: the list starts
//                                                    at the first "$"; up to 16 addresses,
//                                                    "$" + hex or decimal, one per switch
//                                                    position
//   ;$CE   input section, up to ";$CA" or the end
//   ;$CA   output section, up to ";$CE" or the end

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/project/project_file.h"
#include "build/build_log.h"
#include "build/scan_line.h"
#include "library/io_entry.h"

namespace zel::build {

enum class ScanDirection { Input, Output };

// The kernel's table holds this many commands per direction.
inline constexpr std::size_t kMaxScanCommands = 1000;
// Switch positions the build can place a module at (its address list is read this far).
inline constexpr int kScanSwitchPositions = 16;
inline constexpr std::size_t kScanLineMax = 1000;
inline constexpr std::size_t kScanCommandSize = 8;
// Run file record types of the two tables.
inline constexpr std::uint16_t kInputScanRecord = 2;
inline constexpr std::uint16_t kOutputScanRecord = 3;

struct ScanTableInputs {
  std::filesystem::path programDirectory;  // holds "RUNTIME." + type
  std::string type;                        // controller type
  std::vector<std::string> entries;        // the "IO_%d" values in order
};

// The "IO_%d" values of the project's IO section, from 0 up to the first empty one.
std::vector<std::string> ReadIoEntries(const app::ProjectFile& project, std::string_view type);

// The table of one direction, every finding printed to `log` (errors counted); an entry
// or line in error is passed over and the walk goes on. The caller notes that a scan
// table is present when either table is not empty.
std::vector<ScanCommand> BuildScanTable(ScanDirection direction, const ScanTableInputs& inputs,
                                        BuildLog& log);

// A table being filled; the limit is reported once, where it was reached.
struct ScanTable {
  std::vector<ScanCommand> commands;
  bool full = false;
};
// One entry's module, its script given as text, appended to `table` (the walk above reads
// the script from the library folder and comes here).
void AppendModuleScan(ScanDirection direction, const library::IoEntry& entry,
                      std::string_view script, ScanTable& table, BuildLog& log);

// The record payload of a table: per command u16 code, u32 first and u16 second argument,
// little-endian.
std::vector<std::uint8_t> ScanTablePayload(std::span<const ScanCommand> table);
// The record type of a direction's table.
std::uint16_t ScanRecordType(ScanDirection direction);

}  // namespace zel::build
