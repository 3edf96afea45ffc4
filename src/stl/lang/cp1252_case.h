#pragma once
// Case folding for the Windows-1252 texts of the statement-list files (symbols and
// comments). Unlike the ASCII-only folding of file and key names, accented letters fold
// too, so "ÄPFEL" and "äpfel" are one symbol.

#include <string>
#include <string_view>

namespace zel::stl {

char UpperCp1252(char c);
std::string UpperCp1252(std::string_view text);
bool EqualsNoCaseCp1252(std::string_view a, std::string_view b);
// <0, 0, >0 like strcmp on the upper-cased bytes.
int CompareNoCaseCp1252(std::string_view a, std::string_view b);

}  // namespace zel::stl
