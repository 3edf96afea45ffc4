#pragma once
// Reads the values of one line of a screen definition from left to right. Values are
// separated by blanks or TABs:
//   number = digits (at most 65535) | "$" hex-digit{1,4}
//   text   = '"' chars '"' | "'" chars "'"      (closed on the same line)
// A failed read keeps its fault for the caller to report.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "tools/tamsel/screen_fault.h"

namespace zel::tamsel {

class LineScanner {
 public:
  explicit LineScanner(std::string_view line) : m_line(line) {}

  // True when only blanks, TABs or a ";" comment remain.
  bool atEnd();
  // The keyword at the current position: letters, digits and "_".
  std::string_view word();
  // Consumes `c` after optional blanks when it comes next.
  bool accept(char c);
  std::optional<std::uint16_t> number();
  std::optional<std::string> text();

  const ScreenFault& fault() const { return m_fault; }

 private:
  void skipBlanks();
  bool valueEndsHere() const;
  std::optional<std::uint16_t> decimalNumber();
  std::optional<std::uint16_t> hexNumber();
  std::nullopt_t fail(Fault kind, unsigned limit = 0);

  std::string_view m_line;
  std::size_t m_pos = 0;
  ScreenFault m_fault;
};

}  // namespace zel::tamsel
