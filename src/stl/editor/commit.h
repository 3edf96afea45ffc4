#pragma once
// What happens when the caret leaves a modified line: the line is converted to the stored
// form and shown again as the editor lays it out, with the message for what could not be
// converted, and with the symbols or operands to offer to the allocation list.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "stl/editor/conversion_context.h"

namespace zel::stl {

enum class OfferKind { None, Symbol, Operand };

// The entry dialog is opened with the symbol, or with the operand in display notation.
struct AllocationOffer {
  OfferKind kind = OfferKind::None;
  std::string text;
  bool operator==(const AllocationOffer&) const = default;
};

struct CommitResult {
  std::vector<std::string> storedLines;
  std::vector<std::string> displayLines;  // replace the committed line
  // "'%s'\n\nUnknown instruction" with the part not accepted; the line is still kept.
  std::optional<std::string> failureMessage;
  // One per display line, None where nothing is to be offered. The same symbol or operand
  // is offered once; an operand broken off the line before it (two in a row) is not.
  std::vector<AllocationOffer> offers;
  bool outOfMemory = false;  // "Out of memory!"; nothing else is valid then
};

// `offerAllocationEntries`: the preference "AUTO_ALLOC_LIST"; offers also need the
// context's allocation list.
CommitResult CommitLine(std::string_view displayLine, const ConversionContext& context,
                        bool offerAllocationEntries);

// The caret in the replacement text at the same distance from its end as it was from the
// end of the committed line.
std::size_t CaretAfterCommit(std::size_t oldLineLength, std::size_t caret,
                             std::size_t newTextLength);

}  // namespace zel::stl
