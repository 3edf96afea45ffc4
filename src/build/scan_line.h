#pragma once
// One command line of an IO module script's scan section:
//   command  argument1  argument2  [; comment]
// separated by blanks or tabs. A command is a code or a name (scan_commands.h); an
// argument is "$" + hexadecimal digits, decimal digits, or a placeholder for the module's
// place in the IO configuration:
//   "<" [blanks] keyword [("+" | "-") number] ">"
// keyword (any case): addr (base address of the switch position), ew / aw (first input /
// output word), eb / ab (the same words as byte offsets, twice the word).

#include <cstdint>
#include <string_view>

namespace zel::build {

// What the placeholders of one module's lines stand for.
struct ScanPlaceholders {
  std::uint32_t address = 0;
  int inputWord = 0;
  int outputWord = 0;
};

// One entry of a scan table, 8 bytes in the run file.
struct ScanCommand {
  std::uint16_t code = 0;
  std::uint32_t arg1 = 0;
  std::uint16_t arg2 = 0;
  friend bool operator==(const ScanCommand&, const ScanCommand&) = default;
};

enum class ScanLineStatus {
  Command,     // `command` holds the line
  Blank,       // empty or a comment: nothing to take
  Invalid,     // not a command line
  OutOfRange,  // a number or placeholder result that does not fit its field
};

struct ScanLine {
  ScanLineStatus status = ScanLineStatus::Blank;
  ScanCommand command;
};

// Reads one line; control characters at its end and blanks or tabs at its start are
// passed over. A value that does not fit is never wrapped: the first argument takes 32
// bits, the second 16, and a placeholder's result must lie in 0..0xFFFF (the IO and word
// areas the kernel addresses are 16 bits wide) in either argument.
ScanLine ParseScanLine(std::string_view line, const ScanPlaceholders& values);

}  // namespace zel::build
