#pragma once
// Text files of the version-3 programs: OEM code page, often closed by a Ctrl-Z.

#include <string>
#include <string_view>

namespace zel::orvix {

// The text in Windows-1252, a final Ctrl-Z (byte 26) replaced by CR LF.
std::string ConvertDosText(std::string_view oem);

// The first line of `text`, without its line end, at most `limit` characters.
std::string FirstLine(std::string_view text, std::size_t limit);

}  // namespace zel::orvix
