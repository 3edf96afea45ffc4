#pragma once
// Where the checking passes send what they find. The passes know line numbers and texts;
// how a finding reads in the message window and in the log belongs to the run step
// (check_output.h), so tests and the fuzz target can collect the findings in memory.

#include <string_view>

namespace zel::stl {

class CheckReport {
 public:
  virtual ~CheckReport() = default;
  // A fault on source line `line`; the text is complete (operand suffix included).
  virtual void error(int line, std::string_view text) = 0;
  // A line for the message window only; it is no error.
  virtual void notice(std::string_view text) = 0;
};

// Counts the errors on their way to the report.
class ErrorCounter {
 public:
  explicit ErrorCounter(CheckReport& report) : m_report(report) {}

  void error(int line, std::string_view text);
  void notice(std::string_view text) { m_report.notice(text); }
  int count() const { return m_count; }

 private:
  CheckReport& m_report;
  int m_count = 0;
};

}  // namespace zel::stl
