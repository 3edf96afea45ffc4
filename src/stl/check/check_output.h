#pragma once
// How a finding of the checking passes reads: in the message window the module name with
// ".AWL(line)" and the text, ending CR LF; in the log " Line: n" and the text, ending LF.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "stl/check/check_report.h"

namespace zel::stl {

inline constexpr std::string_view kSourceExtension = ".AWL";
// A module's files are named by its eight-character base name.
inline constexpr std::size_t kMaxModuleNameLength = 8;

std::string MessageWindowLine(std::string_view module, int line, std::string_view text);
std::string LogLine(int line, std::string_view text);
// Control bytes (a NUL in a damaged source, say) would cut or garble a message line; they
// are shown as '?'.
std::string PrintableText(std::string_view text);

struct SourceLocation {
  std::string module;
  int line = 0;
  bool operator==(const SourceLocation&) const = default;
};

// The module and 1-based line a message window line points at: "NAME.AWL(line)" at its start
// (extension without regard to case, leading blanks allowed); nothing for any other line.
std::optional<SourceLocation> SourceLocationOf(std::string_view messageLine);

// Collects the message window text in memory, for tests and the fuzz target.
class MessageLines : public CheckReport {
 public:
  explicit MessageLines(std::string module) : m_module(std::move(module)) {}

  void error(int line, std::string_view text) override;
  void notice(std::string_view text) override;
  const std::string& text() const { return m_text; }

 private:
  std::string m_module;
  std::string m_text;
};

}  // namespace zel::stl
