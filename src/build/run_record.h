#pragma once
// The record frame that the run file, the update file and driver data share: a type word
// (bit 15: a checksum follows), a length word counting the bytes after it, the optional
// checksum over the payload, the payload. Every reader goes through RecordReader, which
// checks each length against the bytes that remain, so no file can make a reader look
// past its end.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace zel::build {

inline constexpr std::uint16_t kChecksumFlag = 0x8000;
inline constexpr std::uint16_t kRecordTypeMask = 0x7FFF;
inline constexpr std::size_t kRecordFrameSize = 4;  // type and length

struct RunRecord {
  std::uint16_t type = 0;  // without the checksum flag
  bool hasChecksum = false;
  std::uint16_t checksum = 0;           // as stored; 0 without one
  std::size_t offset = 0;               // of the type word in the file
  std::size_t size = 0;                 // the whole record: 4 + length
  std::span<const std::uint8_t> bytes;  // the whole record, frame included
  std::span<const std::uint8_t> payload;

  bool isEnd() const { return type == 0; }
  bool checksumMatches() const;
};

enum class RecordFault {
  None,
  Truncated,         // the frame or the payload runs past the end of the file
  LengthTooShort,    // a checksum record whose length cannot hold the checksum
  ChecksumMismatch,  // only when the reader verifies checksums
};

class RecordReader {
 public:
  explicit RecordReader(std::span<const std::uint8_t> file, bool verifyChecksums = false)
      : m_file(file), m_verify(verifyChecksums) {}

  // The next record, or nullopt at a fault (fault() says which) or when the bytes are used
  // up. The end record is returned like any other; reading past it is the caller's choice.
  std::optional<RunRecord> next();

  RecordFault fault() const { return m_fault; }
  std::size_t position() const { return m_position; }
  bool atEnd() const { return m_position >= m_file.size(); }

 private:
  std::span<const std::uint8_t> m_file;
  bool m_verify = false;
  std::size_t m_position = 0;
  RecordFault m_fault = RecordFault::None;
};

}  // namespace zel::build
