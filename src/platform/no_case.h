#pragma once
// Name comparison without regard to case, as the stored files and the file system of the
// original platform expect. Only ASCII letters fold: the names in question (sections,
// keys, file names) are ASCII, and folding bytes of another code page would make two
// different UTF-8 file names equal.

#include <string_view>

namespace zel::platform::detail {

char LowerAscii(char c);
bool EqualNoCase(std::string_view a, std::string_view b);
// Orders case-insensitively; names that differ only in case are ordered by their bytes,
// so sorting is deterministic.
bool LessNoCase(std::string_view a, std::string_view b);

}  // namespace zel::platform::detail
