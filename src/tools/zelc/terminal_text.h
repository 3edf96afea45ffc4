#pragma once
// The terminal speaks UTF-8; project files hold Windows-1252 bytes. zelc converts at its
// edge: what the user types goes into files in their encoding, what files hold is shown
// readably.

#include <string>
#include <string_view>

namespace zel::zelc {

// A user's text for storing in a project file.
std::string FromTerminal(std::string_view utf8);
// A stored text as one TAB-separated output field: converted to UTF-8, with TABs and line
// breaks (which only a hand-edited file can hold) shown as blanks so columns stay intact.
std::string Field(std::string_view cp1252);
// A stored multi-line text converted to UTF-8.
std::string ToTerminal(std::string_view cp1252);
// Message window text (lines ending in CR LF) converted to UTF-8 with LF line ends, as a
// terminal and a script want it.
std::string ToTerminalLines(std::string_view cp1252);

}  // namespace zel::zelc
