#pragma once
// How the controller puts its answers on each transport.
//
// Serial line: the command's bytes come back as echo (without the carriage return), then
// the reply, then CR LF ">" DC1; an error is the echo, BEL, the reason and the same
// prompt; a command that wants more input ends with ":" DC1 instead. The probe byte is
// not echoed: its answer is CR LF, the banner and the prompt.
//
// UDP: one datagram per answer holding two zero-terminated strings, the echo (the
// command as it arrived; empty for the probe) and the reply (BEL and the reason for an
// error, the text and ":" when more input is wanted). A program started with "LE" answers
// twice: "Executing" first, then "ReturnCode: " and its code, each with the echo.

#include <string>
#include <string_view>
#include <vector>

#include "tools/kzcsim/ci_reply.h"

namespace zel::kzcsim {

inline constexpr std::string_view kReadyPrompt = "\r\n>\x11";
inline constexpr std::string_view kInputPrompt = ":\x11";

// Bytes for the serial line; empty for a silent reply.
std::string FrameSerial(std::string_view echo, const Reply& reply, bool probe);
// Datagrams for UDP; none for a silent reply.
std::vector<std::string> FrameUdp(std::string_view echo, const Reply& reply);

// One command taken from a UDP datagram: the probe is the single byte 0x14; a command
// ends at its first zero byte, and a terminal's CR or LF at its end is dropped.
struct UdpCommand {
  bool probe = false;
  std::string text;
};
UdpCommand ReadDatagram(std::string_view datagram);

// Collects the bytes of the serial line into command lines: CR ends a line, LF is
// ignored, backspace and DEL take back a character, the probe byte at the start of a
// line is a probe of its own. A line longer than a command may be is kept one byte too
// long, so the interpreter refuses it whole.
class SerialLine {
 public:
  struct Input {
    bool probe = false;
    std::string text;
  };
  std::vector<Input> Receive(std::string_view bytes);
  // Forgets a partial line (bytes at a wrong rate are noise).
  void Reset() { m_line.clear(); }

 private:
  std::string m_line;
};

}  // namespace zel::kzcsim
