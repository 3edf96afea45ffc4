#include "build/run_record.h"

#include "build/byte_order.h"

namespace zel::build {

bool RunRecord::checksumMatches() const {
  return !hasChecksum || ByteSum(payload) == checksum;
}

std::optional<RunRecord> RecordReader::next() {
  if (m_fault != RecordFault::None || atEnd()) return std::nullopt;
  const std::size_t remaining = m_file.size() - m_position;
  if (remaining < kRecordFrameSize) {
    m_fault = RecordFault::Truncated;
    return std::nullopt;
  }
  RunRecord record;
  const std::uint16_t typeWord = Word(m_file, m_position);
  const std::uint16_t length = Word(m_file, m_position + 2);
  record.type = typeWord & kRecordTypeMask;
  record.hasChecksum = (typeWord & kChecksumFlag) != 0;
  record.offset = m_position;
  record.size = kRecordFrameSize + length;
  if (record.size > remaining) {
    m_fault = RecordFault::Truncated;
    return std::nullopt;
  }
  record.bytes = m_file.subspan(m_position, record.size);
  if (record.hasChecksum) {
    if (length < 2) {
      m_fault = RecordFault::LengthTooShort;
      return std::nullopt;
    }
    record.checksum = Word(record.bytes, kRecordFrameSize);
    record.payload = record.bytes.subspan(kRecordFrameSize + 2);
  } else {
    record.payload = record.bytes.subspan(kRecordFrameSize);
  }
  if (m_verify && !record.checksumMatches()) {
    m_fault = RecordFault::ChecksumMismatch;
    return std::nullopt;
  }
  m_position += record.size;
  return record;
}

}  // namespace zel::build
