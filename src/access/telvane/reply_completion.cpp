#include "access/telvane/reply_completion.h"

#include <algorithm>
#include <cstring>

namespace zel::telvane {
namespace {

constexpr std::string_view kExecuting = "Executing";
constexpr std::string_view kReturnCode = "ReturnCode: ";
constexpr std::size_t kFullBlockSize = 261;  // "%W", block number, 256 bytes, checksum

bool IsControl(char c) {
  return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
}

std::uint8_t ByteSum(std::string_view bytes) {
  unsigned sum = 0;
  for (char c : bytes) sum += static_cast<unsigned char>(c);
  return static_cast<std::uint8_t>(sum);
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

std::optional<DatagramParts> SplitDatagram(std::string_view datagram) {
  const std::size_t first = datagram.find('\0');
  if (first == std::string_view::npos) return std::nullopt;
  const std::size_t second = datagram.find('\0', first + 1);
  if (second == std::string_view::npos) return std::nullopt;
  return DatagramParts{std::string(datagram.substr(0, first)),
                       std::string(datagram.substr(first + 1, second - first - 1))};
}

void Exchange::begin(std::string_view echo, char binaryKind, bool probe) {
  clearBuffer();
  m_echo = std::string(echo.substr(0, kCommandMaxLength));
  m_binaryKind = binaryKind;
  if (probe) m_phase = 0;
}

void Exchange::clearBuffer() {
  m_length = 0;
  m_buffer[0] = '\0';
  m_tail.clear();
  m_cut = false;
  m_haveDatagram = false;
  m_datagramEcho.clear();
}

void Exchange::append(std::string_view bytes) {
  const std::size_t room = kReceiveBufferSize - m_length;
  const std::size_t taken = std::min(room, bytes.size());
  std::memcpy(m_buffer.data() + m_length, bytes.data(), taken);
  m_length += taken;
  m_buffer[m_length] = '\0';
  if (taken < bytes.size()) m_cut = true;
  m_tail += bytes.substr(bytes.size() - std::min<std::size_t>(bytes.size(), kPrompt.size()));
  if (m_tail.size() > kPrompt.size()) m_tail.erase(0, m_tail.size() - kPrompt.size());
}

void Exchange::setDatagram(const DatagramParts& parts) {
  clearBuffer();
  const bool echoSeparate = (m_phase == 1 || m_phase == 3) && !m_echo.empty();
  append(echoSeparate ? parts.reply : parts.echo + parts.reply);
  m_datagramEcho = parts.echo;
  m_haveDatagram = true;
}

void Exchange::eraseFront(std::size_t count) {
  count = std::min(count, m_length);
  std::memmove(m_buffer.data(), m_buffer.data() + count, m_length - count);
  m_length -= count;
  m_buffer[m_length] = '\0';
}

bool Exchange::promptSeen(std::string_view prompt) const {
  if (buffer().find(prompt) != std::string_view::npos) return true;
  return m_cut && m_tail.ends_with(prompt);
}

void Exchange::abandon() {
  clearBuffer();
  m_phase = (m_phase == 3 || m_phase == 4) ? 3 : 1;
}

Outcome Exchange::finish(Outcome outcome) {
  clearBuffer();
  m_phase = m_phase == 4 ? 3 : 1;
  return outcome;
}

Outcome Exchange::complete() {
  if (m_phase == 0) return completeBanner();
  if (m_phase == 1 || m_phase == 3) {
    if (!removeEcho()) return {};
  }
  if (m_framing == Framing::Serial && m_length < 2) return {};
  if (m_framing == Framing::Datagram) {
    const std::string_view text = buffer();
    if (StartsWith(text, kExecuting)) {
      // The real answer follows in a datagram of its own, with its own echo string.
      m_phase = 3;
      clearBuffer();
      return {};
    }
    if (StartsWith(text, kReturnCode)) {
      const std::string rest(text.substr(kReturnCode.size()));
      clearBuffer();
      append("=" + rest);
    }
  }
  switch (m_binaryKind) {
    case 0:
      return completeText();
    case 'R':
      return completeBinaryRead();
    case 'L':
    case 'P':
    case 'W':
      if (m_length == 0) return {};
      return finish({Outcome::Kind::Reply, 0, std::string(1, m_buffer[0]), {}});
    default:
      return finish({Outcome::Kind::Reply, 1, std::string(), {}});
  }
}

// The banner: "KZC V2." and two digits, on the serial line followed by the prompt.
Outcome Exchange::completeBanner() {
  const std::string_view text = buffer();
  const std::size_t mark = text.find(kBannerMark);
  if (mark == std::string_view::npos) return {};
  if (m_framing == Framing::Serial && !promptSeen(kPrompt)) return {};
  std::string_view kept = text.substr(mark);
  const std::size_t dot = kept.find('.');
  if (dot + 2 >= kept.size()) return {};
  auto digit = [](char c) { return c >= '0' && c <= '9'; };
  // Every two-digit minor version is passed on: the login decides which it accepts, so a
  // controller it cannot serve is told apart from no controller at all.
  if (!digit(kept[dot + 1]) || !digit(kept[dot + 2])) return {};
  Outcome outcome{Outcome::Kind::Reply, 0, std::string(kept.substr(0, dot + 3)), {}};
  clearBuffer();
  m_phase = 1;
  return outcome;
}

// True once the echo is removed (or none is awaited). Bytes that do not begin with the
// echo keep the command waiting; on the serial line the remains of a reply that came too
// late for an earlier command are dropped through their prompt first, so they can never
// complete this one.
bool Exchange::removeEcho() {
  if (m_framing == Framing::Datagram && m_haveDatagram && !m_echo.empty()) {
    if (m_datagramEcho != m_echo) return false;
    m_phase = m_phase == 3 ? 4 : 2;
    return true;
  }
  if (m_echo.empty()) {
    m_phase = m_phase == 3 ? 4 : 2;
    return true;
  }
  while (true) {
    const std::string_view text = buffer();
    const std::size_t compared = std::min(text.size(), m_echo.size());
    if (text.substr(0, compared) == std::string_view(m_echo).substr(0, compared)) {
      if (text.size() < m_echo.size()) return false;
      eraseFront(m_echo.size());
      m_phase = m_phase == 3 ? 4 : 2;
      return true;
    }
    const std::size_t stale = text.find(kPrompt);
    if (m_framing != Framing::Serial || stale == std::string_view::npos) return false;
    eraseFront(stale + kPrompt.size());
  }
}

// A binary read answers with a whole block: "%W" block(2) data(256) sum, or
// "%L" n block(2) data(n) sum; the sum is the low byte of all bytes before it.
Outcome Exchange::completeBinaryRead() {
  const std::string_view text = buffer();
  if (text.find(kBel) != std::string_view::npos) return finish({Outcome::Kind::Reply, 1, {}, {}});
  if (text.size() < 3) return {};
  if (text[0] != '%' || (text[1] != 'L' && text[1] != 'W')) return {};
  const bool last = text[1] == 'L';
  const std::size_t count = last ? static_cast<unsigned char>(text[2]) : kBinaryBufferSize;
  const std::size_t header = last ? 5 : 4;
  const std::size_t total = last ? count + 6 : kFullBlockSize;
  if (text.size() < total) return {};
  if (ByteSum(text.substr(0, total - 1)) != static_cast<unsigned char>(text[total - 1])) {
    return finish({Outcome::Kind::Reply, 1, {}, {}});
  }
  Outcome outcome{Outcome::Kind::BinaryRead, 0, {}, {}};
  const std::size_t at = header - 2;
  outcome.block.word = static_cast<std::uint16_t>(static_cast<unsigned char>(text[at]) |
                                                  (static_cast<unsigned char>(text[at + 1]) << 8));
  outcome.block.count = count;
  std::memcpy(outcome.block.data.data(), text.data() + header, count);
  return finish(std::move(outcome));
}

Outcome Exchange::completeText() {
  std::string_view text = buffer();
  const std::size_t bel = text.find(kBel);
  if (bel != std::string_view::npos) {
    std::size_t after = bel + 1;
    while (after < text.size() && IsControl(text[after]) && text[after] != kDc1 &&
           text[after] != '\r')
      ++after;
    // What remains is only watched for the prompt that ends the error reply.
    eraseFront(after);
    text = buffer();
    if (m_framing == Framing::Datagram || promptSeen(kPrompt) || promptSeen(kInputPrompt)) {
      return finish({Outcome::Kind::Reply, 1, {}, {}});
    }
    // Keep the BEL in front so that the arrival of the prompt still ends it as an error.
    std::string kept(1, kBel);
    kept += text;
    clearBuffer();
    append(kept);
    return {};
  }
  if (m_framing == Framing::Datagram)
    return finish({Outcome::Kind::Reply, 0, std::string(text), {}});
  const std::size_t prompt = text.find(kPrompt);
  const std::size_t input = text.find(kInputPrompt);
  if (prompt == std::string_view::npos && input == std::string_view::npos) {
    if (m_cut && m_tail.ends_with(kPrompt))
      return finish({Outcome::Kind::Reply, 0, std::string(text), {}});
    if (m_cut && m_tail.ends_with(kInputPrompt))
      return finish({Outcome::Kind::Reply, 0, std::string(text), {}});
    return {};
  }
  if (input < prompt)
    return finish({Outcome::Kind::Reply, 0, std::string(text.substr(0, input + 1)), {}});
  return finish({Outcome::Kind::Reply, 0, std::string(text.substr(0, prompt)), {}});
}

}  // namespace zel::telvane
