#include "build/run_file_writer.h"

#include <array>
#include <limits>
#include <vector>

#include "build/byte_order.h"
#include "build/run_record.h"

namespace zel::build {

void RunFileWriter::fail() {
  if (m_failed) return;
  m_failed = true;
  if (m_log) m_log->error(kMsgCannotWriteRunFile);
}

void RunFileWriter::append(std::span<const std::uint8_t> bytes) {
  if (!m_sink.append(bytes)) fail();
}

void RunFileWriter::WriteWord(std::uint16_t value) {
  const std::array<std::uint8_t, 2> bytes = {static_cast<std::uint8_t>(value & 0xFF),
                                             static_cast<std::uint8_t>(value >> 8)};
  WriteBytes(bytes);
}

void RunFileWriter::WriteBytes(std::span<const std::uint8_t> bytes) {
  m_sum = ByteSum(bytes, m_sum);
  append(bytes);
}

void RunFileWriter::BeginChecksum() {
  m_sum = 0;
  m_checksumAt = m_sink.size();
  const std::array<std::uint8_t, 2> placeholder{};
  append(placeholder);
}

void RunFileWriter::EndChecksum() {
  const std::array<std::uint8_t, 2> sum = {static_cast<std::uint8_t>(m_sum & 0xFF),
                                           static_cast<std::uint8_t>(m_sum >> 8)};
  if (!m_sink.patch(m_checksumAt, sum)) fail();
}

bool RunFileWriter::WriteRecord(std::uint16_t type, std::span<const std::uint8_t> payload) {
  if (payload.size() > std::numeric_limits<std::uint16_t>::max() - 2u) return false;
  WriteWord(static_cast<std::uint16_t>(type | kChecksumFlag));
  WriteWord(static_cast<std::uint16_t>(payload.size() + 2));
  BeginChecksum();
  WriteBytes(payload);
  EndChecksum();
  return true;
}

bool RunFileWriter::WriteTextRecord(std::uint16_t type, std::string_view text) {
  std::vector<std::uint8_t> payload(text.begin(), text.end());
  payload.push_back(0);
  return WriteRecord(type, payload);
}

void RunFileWriter::WriteEnd() {
  WriteWord(0);
  WriteWord(0);
}

}  // namespace zel::build
