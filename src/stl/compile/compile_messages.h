#pragma once
// The compile driver's own texts, blanks as the message window shows them.

#include <string_view>

namespace zel::stl::msg {

inline constexpr std::string_view kCannotStartCompiler =
    " Could not start statement list compiler ";
// A compilation stopped by its owner before the object file; the summary follows.
inline constexpr std::string_view kCompilationCancelled = "Compilation cancelled";
inline constexpr std::string_view kLadderNotImplemented =
    "ERROR: Sorry, Ladder Diagram is not implemented yet";

}  // namespace zel::stl::msg
