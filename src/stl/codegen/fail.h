#pragma once
// Stops of the translation for trees it cannot have been given by a sound parser.

namespace zel::stl::code {

// The number each inconsistency reports in "internal ERROR %d.".
enum class InternalError {
  ShortJumpRange = 0,
  PatchOutside,
  CombineNotReady,
  UnexpectedBitNode,
  UnexpectedWordNode,
  UnexpectedStatement,
  UnexpectedItem,
  MissingChild,
  StepNumberRange,
  ModuleNumberRange,
  NoValue,
  ValueRange,
};

[[noreturn]] void Fail(int line, InternalError code);

}  // namespace zel::stl::code
