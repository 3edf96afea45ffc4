// Whatever the user types must either convert to the stored form or be kept as typed
// behind `?`; what converts shows again and stores to the same stored lines.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "stl/editor/display.h"
#include "stl/editor/document.h"
#include "stl/editor/store.h"
#include "stl/lang/text_lines.h"

namespace {

using namespace zel::stl;

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckLine(std::string_view typed, const ConversionContext& context) {
  const StoreResult result = DisplayLineToStored(typed);
  Check(!result.lines.empty());
  for (const auto& stored : result.lines) Check(stored.find_first_of("\r\n") == std::string::npos);
  if (!result.converted) {
    // Nothing typed is lost: the whole line stands behind the mark and shows unchanged.
    Check(result.lines.size() == 1 && result.lines[0] == "?" + std::string(typed));
    Check(StoredLineToDisplay(result.lines[0], context).text == typed);
    Check(typed.find(result.rejected) != std::string_view::npos);
    return;
  }
  for (const auto& stored : result.lines) {
    const DisplayLine shown = StoredLineToDisplay(stored, context);
    Check(!shown.hasLeftover);
    const StoreResult again = DisplayLineToStored(shown.text);
    Check(again.converted && again.lines.size() == 1 && again.lines[0] == stored);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  ConversionContext context;
  context.elseForOtherwise = size % 2 == 1;
  for (const auto& line : SplitLines(text)) CheckLine(line.text, context);

  const SavedDocument saved = SaveDocument(text);
  const LoadedDocument loaded = LoadDocument(saved.storedText, context);
  Check(loaded.invalidLines.empty());
  Check(SaveDocument(JoinLines(loaded.lines, "\r\n")).storedText == saved.storedText);
  return 0;
}
