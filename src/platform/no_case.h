#pragma once
// Name comparison without regard to case, as the stored files and the file system of the
// original platform expect. Only ASCII letters fold: the names in question (sections,
// keys, project, module and type names) are ASCII, and folding bytes of another code page
// would make two different UTF-8 names equal.

#include <string>
#include <string_view>

namespace zel::platform {

char LowerAscii(char c);
char UpperAscii(char c);
std::string UpperAscii(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);
// <0, 0, >0 like strcmp, folding ASCII letters.
int CompareNoCase(std::string_view a, std::string_view b);
// Orders without regard to case; names that differ only in case are ordered by their
// bytes, so sorting is deterministic.
bool LessNoCase(std::string_view a, std::string_view b);

}  // namespace zel::platform
