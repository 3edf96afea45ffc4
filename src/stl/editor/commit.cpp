#include "stl/editor/commit.h"

#include <algorithm>
#include <new>

#include "app/text/text_format.h"
#include "stl/alloc/allocation_list.h"
#include "stl/editor/display.h"
#include "stl/editor/display_colouring.h"
#include "stl/editor/editor_messages.h"
#include "stl/editor/store.h"

namespace zel::stl {
namespace {

AllocationOffer OfferFor(const DisplayLine& line, const AllocationList& list) {
  if (line.lastSymbol && !list.findBySymbol(*line.lastSymbol))
    return {OfferKind::Symbol, *line.lastSymbol};
  if (line.lastOperand && !list.findByOperand(line.lastOperand->stored))
    return {OfferKind::Operand, line.lastOperand->display};
  return {};
}

// A line after the first that begins with no keyword was broken off because two operands
// stood in a row ("IF foo bar"): a typing mistake the error marks point out, not a use of
// the symbol worth an entry dialog of its own.
bool IsBrokenOffOperand(const DisplayLine& line) {
  const auto spans = ColourDisplayLine(line.text);
  return !spans.empty() && spans.front().kind != DisplayTokenKind::Keyword &&
         spans.front().kind != DisplayTokenKind::Comment;
}

void Commit(std::string_view displayLine, const ConversionContext& context, bool offer,
            CommitResult& result) {
  StoreResult stored = DisplayLineToStored(displayLine);
  if (!stored.converted)
    result.failureMessage = app::FillText(kMsgUnknownInstruction, stored.rejected);
  result.storedLines = std::move(stored.lines);
  const AllocationList* list = offer ? context.allocationList : nullptr;
  for (const auto& line : result.storedLines) {
    DisplayLine display = StoredLineToDisplay(line, context);
    const bool brokenOff = !result.displayLines.empty() && IsBrokenOffOperand(display);
    AllocationOffer next = list && !brokenOff ? OfferFor(display, *list) : AllocationOffer{};
    if (std::find(result.offers.begin(), result.offers.end(), next) != result.offers.end())
      next = {};
    result.offers.push_back(std::move(next));
    result.displayLines.push_back(std::move(display.text));
  }
}

}  // namespace

CommitResult CommitLine(std::string_view displayLine, const ConversionContext& context,
                        bool offerAllocationEntries) {
  CommitResult result;
  try {
    Commit(displayLine, context, offerAllocationEntries, result);
  } catch (const std::bad_alloc&) {
    result = CommitResult{};
    result.outOfMemory = true;
  }
  return result;
}

std::size_t CaretAfterCommit(std::size_t oldLineLength, std::size_t caret,
                             std::size_t newTextLength) {
  const std::size_t fromEnd = oldLineLength - std::min(caret, oldLineLength);
  return newTextLength - std::min(fromEnd, newTextLength);
}

}  // namespace zel::stl
