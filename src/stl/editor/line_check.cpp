#include "stl/editor/line_check.h"

#include <algorithm>
#include <map>
#include <new>

#include "stl/check/check_output.h"
#include "stl/check/syntax_check.h"
#include "stl/editor/store.h"

namespace zel::stl {
namespace {

// Collects the findings by stored line; the notices are for the message window only.
class FindingsByLine : public CheckReport {
 public:
  void error(int line, std::string_view text) override {
    std::string& joined = m_texts[line];
    if (!joined.empty()) joined += '\n';
    joined += PrintableText(text);
  }
  void notice(std::string_view) override {}
  const std::map<int, std::string>& texts() const { return m_texts; }

 private:
  std::map<int, std::string> m_texts;
};

}  // namespace

std::vector<LineFinding> CheckDisplayLines(const std::vector<std::string>& displayLines,
                                           const LineCheckSetup& setup) {
  std::string program;
  std::vector<int> displayLineOf;  // by 0-based stored line
  for (std::size_t i = 0; i < displayLines.size(); ++i) {
    for (const std::string& stored : DisplayLineToStored(displayLines[i]).lines) {
      program += stored;
      program += "\r\n";
      displayLineOf.push_back(static_cast<int>(i));
    }
  }
  FindingsByLine findings;
  CheckSetup check;
  check.program = program;
  check.module = setup.module;
  check.symbols = setup.symbols;
  check.readFieldbusConfig = setup.readFieldbusConfig;
  try {
    RunSyntaxCheck(check, findings);
  } catch (const std::bad_alloc&) {
    return {};  // the compilation will say what it finds; the editor marks nothing
  }
  std::vector<LineFinding> result;
  const int lastLine = static_cast<int>(displayLines.size()) - 1;
  for (const auto& [storedLine, text] : findings.texts()) {
    const int index = storedLine - 1;
    int line = lastLine;
    if (index < 0) {
      line = 0;
    } else if (index < static_cast<int>(displayLineOf.size())) {
      line = displayLineOf[static_cast<std::size_t>(index)];
    }
    line = std::max(line, 0);
    if (!result.empty() && result.back().line == line) {
      result.back().text += '\n';
      result.back().text += text;
    } else {
      result.push_back({line, text});
    }
  }
  return result;
}

}  // namespace zel::stl
