#include "stl/alloc/allocation_clipboard.h"

#include "stl/lang/text_lines.h"

namespace zel::stl {
namespace {

// The text up to the next TAB, removing it and the TAB from `line`; the whole rest when
// there is no TAB.
std::string TakeField(std::string_view& line) {
  const std::size_t tab = line.find('\t');
  const std::string field(line.substr(0, tab));
  line.remove_prefix(tab == std::string_view::npos ? line.size() : tab + 1);
  return field;
}

EntryTexts SplitLine(std::string_view line) {
  line = line.substr(0, kMaxPastedLineLength);
  EntryTexts texts;
  texts.operand = TakeField(line);
  texts.symbol = TakeField(line);
  texts.comment = std::string(line);
  return texts;
}

}  // namespace

std::string AllocationClipboardText(const AllocationList& list,
                                    const std::vector<std::size_t>& indices) {
  std::string text;
  for (const std::size_t i : indices) {
    const AllocationEntry& entry = list.at(i);
    text += entry.operand.display + '\t' + entry.symbol + '\t' + entry.comment + "\r\n";
  }
  return text;
}

std::vector<EntryTexts> ParseAllocationClipboard(std::string_view text) {
  std::vector<EntryTexts> lines;
  for (const TextLine& line : SplitLines(text))
    if (!line.text.empty()) lines.push_back(SplitLine(line.text));
  return lines;
}

}  // namespace zel::stl
