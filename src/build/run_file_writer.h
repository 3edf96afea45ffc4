#pragma once
// Writes the records of a run file. A record with a checksum is written as its type with
// bit 15 set, its length (payload + 2), the checksum and the payload; the checksum is the
// byte sum of the payload only and is patched in once the payload is out. The first
// failed write is remembered, so that the build reports it once and fails at its end
// while the later writes go on.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "build/build_log.h"
#include "build/byte_sink.h"

namespace zel::build {

inline constexpr std::string_view kMsgCannotWriteRunFile =
    "ERROR: Cannot write to project run file\r\n";

class RunFileWriter {
 public:
  // With a log, the first failed write prints kMsgCannotWriteRunFile there and counts
  // one error; later failures are silent.
  explicit RunFileWriter(ByteSink& sink, BuildLog* log = nullptr) : m_sink(sink), m_log(log) {}

  // Both bytes go into the running sum.
  void WriteWord(std::uint16_t value);
  void WriteBytes(std::span<const std::uint8_t> bytes);
  // Resets the running sum and leaves room for the checksum word.
  void BeginChecksum();
  // Puts the running sum into the room BeginChecksum left.
  void EndChecksum();

  // A whole record with a checksum; false when the payload does not fit the 16-bit length
  // (nothing is written then).
  bool WriteRecord(std::uint16_t type, std::span<const std::uint8_t> payload);
  // A record with a checksum whose payload is `text` and a NUL.
  bool WriteTextRecord(std::uint16_t type, std::string_view text);
  // The end of the file: type 0, length 0, no checksum.
  void WriteEnd();

  bool failed() const { return m_failed; }
  std::size_t position() const { return m_sink.size(); }

 private:
  void append(std::span<const std::uint8_t> bytes);
  void fail();

  ByteSink& m_sink;
  BuildLog* m_log = nullptr;
  bool m_failed = false;
  std::uint16_t m_sum = 0;
  std::size_t m_checksumAt = 0;
};

}  // namespace zel::build
