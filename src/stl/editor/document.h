#pragma once
// A whole program file between its stored form and the editor's display text. Loading
// converts line by line and reports every line the editor could not show faithfully;
// saving converts the whole display text back.

#include <string>
#include <string_view>
#include <vector>

#include "stl/editor/conversion_context.h"

namespace zel::stl {

struct LoadedDocument {
  std::vector<std::string> lines;  // the display lines, one per stored line
  // 1-based numbers of the lines that keep unrecognised text or end in a CR without LF.
  std::vector<int> invalidLines;
  bool outOfMemory = false;  // "Out of memory!"; nothing else is valid then
};

// Stored lines end with CR LF; a lone LF is accepted, a lone CR ends the line but counts as
// an invalid line.
LoadedDocument LoadDocument(std::string_view storedText, const ConversionContext& context);

// "Invalid file format (Line %d)." for one of LoadedDocument::invalidLines.
std::string InvalidFileFormatMessage(int line);

struct RejectedLine {
  int line = 0;          // 1-based line of the display text
  std::string rejected;  // the part the conversion did not accept
};

struct SavedDocument {
  std::string storedText;              // every stored line ended with CR LF
  std::vector<RejectedLine> rejected;  // lines kept as typed behind `?`
  bool outOfMemory = false;
};

// Display lines are broken at CR LF, LF or CR.
SavedDocument SaveDocument(std::string_view displayText);

}  // namespace zel::stl
