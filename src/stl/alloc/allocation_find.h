#pragma once
// Find and replace in the comment column of the allocation list's view.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "stl/alloc/allocation_list.h"

namespace zel::stl {

// A comment that a replacement changed keeps at most this many characters.
inline constexpr std::size_t kMaxReplacedCommentLength = 40;

struct FindOptions {
  std::string text;  // what to look for; an empty text is never found
  bool matchCase = false;
  bool down = true;  // forwards through the rows, or backwards
};

// "Cannot find the string '%s'."
std::string CannotFindMessage(std::string_view text);

// Whether `comment` holds the text (Windows-1252 letters fold when case does not matter).
bool CommentContains(std::string_view comment, const FindOptions& options);

// The next row of `rows` (entry indices in view order) whose comment holds the text,
// starting after the selected row (before it, upwards); without a selection at the first
// (last) row. The search does not wrap. Returns a position in `rows`.
std::optional<std::size_t> FindInComments(const AllocationList& list,
                                          const std::vector<std::size_t>& rows,
                                          std::optional<std::size_t> selectedRow,
                                          const FindOptions& options);

// Every occurrence of the text in `comment` replaced; the result cut to 40 characters.
// Nothing when the text does not occur.
std::optional<std::string> ReplaceInComment(std::string_view comment, const FindOptions& options,
                                            std::string_view replacement);

// Replace in one entry / in every entry; true / the number of entries changed.
bool ReplaceInEntry(AllocationList& list, std::size_t index, const FindOptions& options,
                    std::string_view replacement);
std::size_t ReplaceAllInComments(AllocationList& list, const FindOptions& options,
                                 std::string_view replacement);

}  // namespace zel::stl
