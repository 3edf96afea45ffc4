#pragma once
// An IO module script (".iod"): what the library and the IO configuration need of a card
// (its name, its extent in the IW and OW areas, the IO address of each switch position)
// and the two scan sections the build encodes into scan tables.
//
// The markers are looked for anywhere in the text and the first occurrence counts, so a
// script may carry its own comments and version notes around them:
//   ;$NE <display name>                      required
//   ;$EA <IW size> <OW size> <In> <Out> [$<hex address>]...   required, four numbers
//   ;$NR <name in version-3 configurations>  optional
//   ;$CE  input scan commands up to ";$CA" or the end
//   ;$CA  output scan commands up to ";$CE" or the end

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zel::library {

// A card decodes at most this many switch positions; the layout line lists their
// addresses in position order.
inline constexpr std::size_t kMaxSwitchPositions = 256;

struct IoModuleScript {
  std::string fileName;     // upper case, with extension: the key entries name ("RUD.IOD")
  std::string displayName;  // the ";$NE" text
  int iwSize = 0;           // extent in the input word area, in bytes
  int owSize = 0;           // extent in the output word area, in bytes
  int in = 0;               // IO input address bytes decoded
  int out = 0;              // IO output address bytes decoded
  // IO base address per switch position; 0: the position is not allowed.
  std::array<std::uint32_t, kMaxSwitchPositions> switchAddresses{};
  std::optional<std::string> version3Name;  // ";$NR"
  // The lines after ";$CE" and after ";$CA", without their line ends and untouched
  // (comments and empty lines included): the build reads its command lines from them.
  std::vector<std::string> inputScan;
  std::vector<std::string> outputScan;

  // The IO base address of a switch position; 0 for a position outside the table.
  std::uint32_t addressOf(int switchPosition) const;
  bool allowsPosition(int switchPosition) const { return addressOf(switchPosition) != 0; }
  // Positions with a non-zero address, ascending.
  std::vector<int> allowedPositions() const;
  std::size_t allowedPositionCount() const { return allowedPositions().size(); }
};

// nullopt when the name line or the layout line is missing or the layout line has fewer
// than four numbers. `fileName` is stored in upper case.
std::optional<IoModuleScript> ParseIoModuleScript(std::string_view text, std::string_view fileName);

// "0, 2": allowed positions in decimal, as the entry dialog lists them.
std::string ListSwitchPositionsDecimal(const IoModuleScript& module);
// "0-3, 5+6, 9": allowed positions in hexadecimal, as the library lists them; a run of
// three or more consecutive positions is written first-last, a run of two first+second.
std::string ListSwitchPositionsHex(const IoModuleScript& module);

}  // namespace zel::library
