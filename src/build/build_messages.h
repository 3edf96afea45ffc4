#pragma once
// Texts that more than one step of Make, Build and Clean Up print, exactly as the message
// window shows them. Patterns keep their printf form.

#include <string_view>

namespace zel::build {

inline constexpr std::string_view kMsgNoProjectOpen = "ERROR: No project open\r\n";
inline constexpr std::string_view kMsgCannotCreateRunFile =
    "ERROR: Could not create project run file\r\n";
// An error program or a program that a run-time setting names is not in the project.
inline constexpr const char* kMsgProgramMissing = "ERROR: Program %d missing\r\n";

}  // namespace zel::build
