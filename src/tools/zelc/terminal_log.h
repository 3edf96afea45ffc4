#pragma once
// The build's steps report through a log; zelc prints it on its output as it comes.

#include <ostream>
#include <string_view>

#include "build/build_log.h"
#include "tools/zelc/terminal_text.h"

namespace zel::zelc {

class TerminalLog : public build::BuildLog {
 public:
  explicit TerminalLog(std::ostream& out) : m_out(out) {}
  void print(std::string_view text) override { m_out << ToTerminalLines(text) << std::flush; }

 private:
  std::ostream& m_out;
};

}  // namespace zel::zelc
