#pragma once
// The code page of stored files: project, script and program files hold Windows-1252.

#include <string>
#include <string_view>

namespace zel::platform {

// Project, script and program files are Windows-1252 bytes; the GUI and the terminal
// speak UTF-8. Characters that Windows-1252 cannot hold become "?".
std::string Cp1252ToUtf8(std::string_view bytes);
std::string Utf8ToCp1252(std::string_view utf8);

}  // namespace zel::platform
