#include "tools/tamsel/screen_converter.h"

#include "tools/tamsel/screen_file_writer.h"
#include "tools/tamsel/screen_statement.h"

namespace zel::tamsel {

ConversionResult ConvertScreenDefinition(std::string_view text) {
  ScreenFileWriter writer;
  unsigned lineNumber = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    ++lineNumber;
    if (StatementResult fault = ApplyStatement(line, writer)) {
      return ConversionResult{{}, ConversionFailure{lineNumber, std::move(*fault)}};
    }
  }
  return ConversionResult{writer.bytes(), std::nullopt};
}

}  // namespace zel::tamsel
