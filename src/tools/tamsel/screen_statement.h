#pragma once
// One line of a screen definition: a keyword (any case) and its values, or a blank or
// ";" comment line. Whatever follows a complete statement on its line is ignored.

#include <optional>
#include <string_view>

#include "tools/tamsel/screen_fault.h"
#include "tools/tamsel/screen_file_writer.h"

namespace zel::tamsel {

// Empty when the line was applied to `writer`; a failed line leaves no record behind
// that a later line could be mistaken for.
using StatementResult = std::optional<ScreenFault>;

StatementResult ApplyStatement(std::string_view line, ScreenFileWriter& writer);

}  // namespace zel::tamsel
