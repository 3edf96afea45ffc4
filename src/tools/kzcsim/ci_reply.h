#pragma once
// What one command makes the controller answer, before the line discipline of the
// serial line or of UDP frames it.

#include <string>

namespace zel::kzcsim {

struct Reply {
  enum class Kind {
    Text,       // the reply, then the ready prompt
    Error,      // BEL, a short reason, then the ready prompt
    MoreInput,  // text, then the input prompt: the next line continues the command
    Silent,     // nothing at all (a reboot, the disconnect "x")
  };
  Kind kind = Kind::Text;
  std::string text;
  // Programs started with "LE" answer "Executing" first over UDP and their return code
  // in a second datagram; `text` then holds "=" and the code.
  bool executing = false;
  // The serial rate the controller switches to once this reply is out ("MV="); 0 keeps it.
  unsigned switchRate = 0;

  static Reply Ok(std::string text = {}) { return Reply{Kind::Text, std::move(text)}; }
  static Reply Fail(std::string reason) { return Reply{Kind::Error, std::move(reason)}; }
  static Reply More(std::string text) { return Reply{Kind::MoreInput, std::move(text)}; }
  static Reply None() { return Reply{Kind::Silent, {}}; }
};

// The reasons an error reply gives after its BEL.
namespace reason {
inline constexpr const char* kUnknown = "Unknown command";
inline constexpr const char* kSyntax = "Syntax error";
inline constexpr const char* kRange = "Out of range";
inline constexpr const char* kOperand = "Invalid operand";
inline constexpr const char* kReadOnly = "Read only";
inline constexpr const char* kLocked = "Locked";
inline constexpr const char* kNoProject = "No project";
inline constexpr const char* kNotSupported = "Not supported";
inline constexpr const char* kTooLong = "Line too long";
inline constexpr const char* kReplyTooLong = "Reply too long";
inline constexpr const char* kPassword = "Wrong password";
inline constexpr const char* kNoFile = "File not found";
inline constexpr const char* kFile = "File error";
inline constexpr const char* kNotOpen = "No file open";
inline constexpr const char* kChecksum = "Checksum error";
}  // namespace reason

}  // namespace zel::kzcsim
