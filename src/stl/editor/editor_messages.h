#pragma once
// The texts the statement-list editor's conversions produce, exactly as the user sees
// them. Patterns keep their printf form.

#include <string_view>

namespace zel::stl {

// "%d": the 1-based line of the program file.
inline constexpr const char* kMsgInvalidFileFormat = "Invalid file format (Line %d).";
// "%s": the part of a committed line the conversion did not accept.
inline constexpr std::string_view kMsgUnknownInstruction = "'%s'\n\nUnknown instruction";
inline constexpr std::string_view kMsgOutOfMemory = "Out of memory!";

}  // namespace zel::stl
