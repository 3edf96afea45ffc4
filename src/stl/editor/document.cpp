#include "stl/editor/document.h"

#include <new>

#include "app/text/text_format.h"
#include "stl/editor/display.h"
#include "stl/editor/editor_messages.h"
#include "stl/editor/store.h"
#include "stl/lang/text_lines.h"

namespace zel::stl {
namespace {

void Load(std::string_view storedText, const ConversionContext& context, LoadedDocument& doc) {
  int number = 0;
  for (const TextLine& line : SplitLines(storedText)) {
    ++number;
    DisplayLine display = StoredLineToDisplay(line.text, context);
    if (display.hasLeftover || line.endsInLoneCr) doc.invalidLines.push_back(number);
    doc.lines.push_back(std::move(display.text));
  }
}

void Save(std::string_view displayText, SavedDocument& doc) {
  int number = 0;
  std::vector<std::string> stored;
  for (const TextLine& line : SplitLines(displayText)) {
    ++number;
    StoreResult result = DisplayLineToStored(line.text);
    if (!result.converted) doc.rejected.push_back({number, std::move(result.rejected)});
    for (auto& one : result.lines) stored.push_back(std::move(one));
  }
  doc.storedText = JoinLines(stored, kFileLineEnd);
}

}  // namespace

// A program far larger than memory must not take the editor down; the caller shows
// "Out of memory!" instead.
LoadedDocument LoadDocument(std::string_view storedText, const ConversionContext& context) {
  LoadedDocument doc;
  try {
    Load(storedText, context, doc);
  } catch (const std::bad_alloc&) {
    doc = LoadedDocument{};
    doc.outOfMemory = true;
  }
  return doc;
}

std::string InvalidFileFormatMessage(int line) {
  return app::FormatText(kMsgInvalidFileFormat, line);
}

SavedDocument SaveDocument(std::string_view displayText) {
  SavedDocument doc;
  try {
    Save(displayText, doc);
  } catch (const std::bad_alloc&) {
    doc = SavedDocument{};
    doc.outOfMemory = true;
  }
  return doc;
}

}  // namespace zel::stl
