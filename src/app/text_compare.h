#pragma once
// Comparison of names without regard to case: project, module, section and type names
// are ASCII, and only ASCII letters fold, so two different UTF-8 names never compare
// equal.

#include <string_view>

namespace zel::app {

bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);
// <0, 0, >0 like strcmp, folding ASCII letters.
int CompareNoCase(std::string_view a, std::string_view b);

}  // namespace zel::app
