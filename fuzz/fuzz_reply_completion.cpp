// The reply completion of both framings on arbitrary bytes: the first byte picks the
// framing, the phase and the binary kind, the second the chunk size of the serial stream;
// the rest is what the controller sent. Nothing may be written past a buffer, and every
// finished reply must fit the buffer it came through.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "access/telvane/reply_completion.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zel::telvane;
  if (size < 2) return 0;
  const std::uint8_t mode = data[0];
  const std::size_t chunk = 1 + data[1] % 97;
  std::string_view input(reinterpret_cast<const char*>(data + 2), size - 2);
  static constexpr char kKinds[] = {0, 'R', 'L', 'P', 'W', 'X'};
  const char kind = kKinds[(mode >> 2) % 6];
  const bool probe = (mode & 0x40) != 0;
  const std::size_t echoLength = (mode >> 3) % 5;
  const std::string_view echo = input.substr(0, echoLength);

  Exchange exchange((mode & 1) ? Framing::Datagram : Framing::Serial);
  if (mode & 2) exchange.setPhase(1);
  exchange.begin(echo, kind, probe);
  if (exchange.framing() == Framing::Serial) {
    for (std::size_t at = 0; at < input.size(); at += chunk) {
      exchange.append(input.substr(at, chunk));
      const Outcome outcome = exchange.complete();
      if (outcome.text.size() > kReceiveBufferSize) std::abort();
      if (outcome.block.count > kBinaryBufferSize) std::abort();
    }
    return 0;
  }
  for (std::size_t at = 0; at < input.size(); at += chunk) {
    const auto parts = SplitDatagram(input.substr(at, chunk));
    if (!parts) continue;
    exchange.setDatagram(*parts);
    const Outcome outcome = exchange.complete();
    if (outcome.text.size() > kReceiveBufferSize + 1) std::abort();
  }
  return 0;
}
