#pragma once
// The code page of stored files: project, script and program files hold Windows-1252.

#include <string>
#include <string_view>

namespace zel::platform {

// Project, script and program files are Windows-1252 bytes; the GUI and the terminal
// speak UTF-8. Characters that Windows-1252 cannot hold become "?".
std::string Cp1252ToUtf8(std::string_view bytes);
std::string Utf8ToCp1252(std::string_view utf8);

// Texts of the DOS-era programs are in the OEM code page 850; this gives their
// Windows-1252 form, byte for byte (the length never changes). Letters and signs map to
// the same character; line and block graphics, which Windows-1252 lacks, become the
// nearest ASCII sign ("-", "=", "|", "+", "#"). Bytes below 0x80 stay as they are.
std::string OemToCp1252(std::string_view oem);

}  // namespace zel::platform
