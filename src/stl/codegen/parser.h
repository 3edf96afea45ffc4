#pragma once
// The code generator's parser: a table-driven bottom-up parser over the intermediate
// text. Each completed program-level item (a step, a sentence, or one statement of a
// single executive part) is handed to the sink at once and then released.

#include <string_view>

#include "stl/codegen/tree.h"

namespace zel::stl::code {

inline constexpr int kParserStackLimit = 150;
inline constexpr int kSyntaxErrorAttempts = 3;

class ParseSink {
 public:
  virtual ~ParseSink() = default;
  virtual void item(const SentenceTree& tree, NodeId root) = 0;
  // "Syntax error" or "Parser stack overflow" at an intermediate line.
  virtual void parseError(int line, std::string_view text) = 0;
};

// False when the parse gave up: a parser stack beyond its limit, or a syntax error after
// the last of the recovery attempts. Throws TokenBufferOverflow for an overlong token and
// CodeStop for a character the scanner does not know.
bool ParseIntermediate(std::string_view text, ParseSink& sink);

}  // namespace zel::stl::code
