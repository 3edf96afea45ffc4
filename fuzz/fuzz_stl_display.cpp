// Program files come from other tools, older versions and hand edits: any bytes must load
// into display text without a crash, and every line shown without leftovers must store
// again.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "stl/alloc/allocation_list.h"
#include "stl/editor/display.h"
#include "stl/editor/document.h"
#include "stl/editor/store.h"
#include "stl/lang/text_lines.h"

namespace {

using namespace zel::stl;

void Check(bool condition) {
  if (!condition) std::abort();
}

AllocationList MakeList() {
  AllocationList list;
  for (const char* operand : {"O0.0", "I0.1", "F1.2", "V5"}) {
    AllocationEntry entry;
    entry.operand = *ParseDisplayOperand(operand);
    entry.symbol = std::string("S") + operand[0];
    entry.comment = "comment\r\nof " + std::string(operand);
    list.append(std::move(entry));
  }
  return list;
}

ConversionContext MakeContext(const AllocationList& list, bool useElse) {
  ConversionContext context;
  context.elseForOtherwise = useElse;
  context.allocationList = &list;
  context.moduleComment = [](zel::app::ModuleKind, int number) -> std::optional<std::string> {
    if (number % 2) return std::nullopt;
    return "module\n" + std::to_string(number);
  };
  return context;
}

void CheckLine(std::string_view stored, const ConversionContext& context) {
  const DisplayLine line = StoredLineToDisplay(stored, context);
  Check(line.text.find_first_of("\r\n") == std::string::npos);
  if (line.hasLeftover || (!stored.empty() && stored.front() == '?')) return;
  const StoreResult again = DisplayLineToStored(line.text);
  Check(again.converted);
  for (const auto& one : again.lines) Check(!StoredLineToDisplay(one, context).hasLeftover);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  static const AllocationList list = MakeList();
  const bool useElse = size % 2 == 1;
  const ConversionContext context = MakeContext(list, useElse);
  const auto lines = SplitLines(text);
  for (const auto& line : lines) CheckLine(line.text, context);

  const LoadedDocument doc = LoadDocument(text, context);
  Check(doc.lines.size() == lines.size());
  int previous = 0;
  for (int number : doc.invalidLines) {
    Check(number > previous && number <= static_cast<int>(lines.size()));
    previous = number;
  }
  return 0;
}
