#include "stl/alloc/allocation_find.h"

#include <algorithm>

#include "stl/lang/cp1252_case.h"

namespace zel::stl {
namespace {

// Position of the first occurrence of the text at or after `from`, or npos.
std::size_t FindText(std::string_view haystack, const FindOptions& options, std::size_t from) {
  if (options.text.empty()) return std::string_view::npos;
  if (options.matchCase) return haystack.find(options.text, from);
  const std::string upper = UpperCp1252(haystack);
  return upper.find(UpperCp1252(options.text), from);
}

}  // namespace

std::string CannotFindMessage(std::string_view text) {
  return "Cannot find the string '" + std::string(text) + "'.";
}

bool CommentContains(std::string_view comment, const FindOptions& options) {
  return FindText(comment, options, 0) != std::string_view::npos;
}

std::optional<std::size_t> FindInComments(const AllocationList& list,
                                          const std::vector<std::size_t>& rows,
                                          std::optional<std::size_t> selectedRow,
                                          const FindOptions& options) {
  const auto count = static_cast<std::ptrdiff_t>(rows.size());
  const std::ptrdiff_t step = options.down ? 1 : -1;
  std::ptrdiff_t row = options.down ? 0 : count - 1;
  if (selectedRow) row = static_cast<std::ptrdiff_t>(*selectedRow) + step;
  for (; row >= 0 && row < count; row += step) {
    const std::size_t index = rows[static_cast<std::size_t>(row)];
    if (index < list.size() && CommentContains(list.at(index).comment, options))
      return static_cast<std::size_t>(row);
  }
  return std::nullopt;
}

std::optional<std::string> ReplaceInComment(std::string_view comment, const FindOptions& options,
                                            std::string_view replacement) {
  std::size_t at = FindText(comment, options, 0);
  if (at == std::string_view::npos) return std::nullopt;
  std::string result;
  std::size_t done = 0;
  // Occurrences are searched in the original text, so a replacement that contains the
  // search text is not replaced again.
  while (at != std::string_view::npos) {
    result.append(comment.substr(done, at - done)).append(replacement);
    done = at + options.text.size();
    at = FindText(comment, options, done);
  }
  result.append(comment.substr(done));
  result.resize(std::min(result.size(), kMaxReplacedCommentLength));
  return result;
}

bool ReplaceInEntry(AllocationList& list, std::size_t index, const FindOptions& options,
                    std::string_view replacement) {
  if (index >= list.size()) return false;
  auto replaced = ReplaceInComment(list.at(index).comment, options, replacement);
  if (!replaced) return false;
  list.at(index).comment = std::move(*replaced);
  return true;
}

std::size_t ReplaceAllInComments(AllocationList& list, const FindOptions& options,
                                 std::string_view replacement) {
  std::size_t changed = 0;
  for (std::size_t i = 0; i < list.size(); ++i)
    changed += ReplaceInEntry(list, i, options, replacement) ? 1 : 0;
  return changed;
}

}  // namespace zel::stl
