#include "build/byte_sink.h"

#include <algorithm>

namespace zel::build {

bool VectorSink::append(std::span<const std::uint8_t> bytes) {
  m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
  return true;
}

bool VectorSink::patch(std::size_t at, std::span<const std::uint8_t> bytes) {
  if (at > m_bytes.size() || bytes.size() > m_bytes.size() - at) return false;
  std::copy(bytes.begin(), bytes.end(), m_bytes.begin() + static_cast<std::ptrdiff_t>(at));
  return true;
}

bool StreamSink::append(std::span<const std::uint8_t> bytes) {
  m_stream.write(reinterpret_cast<const char*>(bytes.data()),
                 static_cast<std::streamsize>(bytes.size()));
  if (!m_stream) return false;
  m_size += bytes.size();
  return true;
}

bool StreamSink::patch(std::size_t at, std::span<const std::uint8_t> bytes) {
  if (at > m_size || bytes.size() > m_size - at) return false;
  m_stream.seekp(static_cast<std::streamoff>(at));
  m_stream.write(reinterpret_cast<const char*>(bytes.data()),
                 static_cast<std::streamsize>(bytes.size()));
  m_stream.seekp(static_cast<std::streamoff>(m_size));
  return static_cast<bool>(m_stream);
}

}  // namespace zel::build
