#pragma once
// Reply completion: the bytes that come back for the command on the wire, assembled until
// they make one reply. The serial line delivers a stream in chunks of any size; the
// network delivers one datagram of echo string and reply string per answer.
//
// Exchange phases (kept across commands, as the controller's own dialogue is):
//   0 probe sent, awaiting the banner
//   1 awaiting the echo          2 awaiting the reply
//   3 awaiting the echo after an "Executing" announcement   4 awaiting its reply
//
// Serial framing: echo (the command without its CR), reply text, then the prompt
// CR LF ">" DC1, or ":" DC1 when the controller asks for more. A BEL marks an error reply.
// Datagram framing: echo string NUL reply string NUL; "Executing" announces that the real
// answer comes in a later datagram as "ReturnCode: " + code.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "access/telvane/limits.h"

namespace zel::telvane {

enum class Framing { Serial, Datagram };

inline constexpr char kBel = 0x07;
inline constexpr char kDc1 = 0x11;
inline constexpr std::string_view kPrompt = "\r\n>\x11";
inline constexpr std::string_view kInputPrompt = ":\x11";
inline constexpr std::string_view kBannerMark = "KZC V2.";

struct BinaryBlock {
  std::array<std::uint8_t, kBinaryBufferSize> data{};
  std::size_t count = 0;
  std::uint16_t word = 0;  // block number
};

struct Outcome {
  enum class Kind { Waiting, Reply, BinaryRead };
  Kind kind = Kind::Waiting;
  int status = 0;    // ReplyStatus of a reply: 0 reply, 1 error reply
  std::string text;  // the reply as the caller gets it (not yet cut for its atom)
  BinaryBlock block;
};

// The echo string and reply string of a datagram; nullopt when it does not hold two
// zero-terminated strings.
struct DatagramParts {
  std::string echo;
  std::string reply;
};
std::optional<DatagramParts> SplitDatagram(std::string_view datagram);

class Exchange {
 public:
  explicit Exchange(Framing framing = Framing::Serial) : m_framing(framing) {}

  void setFraming(Framing framing) { m_framing = framing; }
  Framing framing() const { return m_framing; }
  int phase() const { return m_phase; }
  void setPhase(int phase) { m_phase = phase; }

  // A command goes on the wire: the buffer starts empty. The probe sets phase 0.
  void begin(std::string_view echo, char binaryKind, bool probe);
  // Serial bytes: appended up to the buffer's size; the rest is cut but still watched for
  // the prompt.
  void append(std::string_view bytes);
  // A datagram replaces what an earlier one left.
  void setDatagram(const DatagramParts& parts);
  // Runs after each arrival; a finished reply leaves the exchange ready for the next
  // command (phase 4 returns to 3, any other to 1).
  Outcome complete();
  // The command on the wire timed out or was abandoned.
  void abandon();
  std::string_view buffer() const { return {m_buffer.data(), m_length}; }

 private:
  Outcome completeBanner();
  bool removeEcho();
  Outcome completeBinaryRead();
  Outcome completeText();
  Outcome finish(Outcome outcome);
  void clearBuffer();
  void eraseFront(std::size_t count);
  bool promptSeen(std::string_view prompt) const;

  Framing m_framing;
  int m_phase = 3;
  std::string m_echo;
  std::string m_datagramEcho;
  bool m_haveDatagram = false;
  char m_binaryKind = 0;
  std::array<char, kReceiveBufferSize + 1> m_buffer{};
  std::size_t m_length = 0;
  // The last bytes that arrived, kept when the buffer is full so that the prompt of an
  // overlong reply still ends it.
  std::string m_tail;
  bool m_cut = false;
};

}  // namespace zel::telvane
