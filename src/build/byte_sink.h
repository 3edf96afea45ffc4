#pragma once
// Where the run file writer puts its bytes: the run file the build opened, or memory for
// tests and for the tools that compute a file before they write it. A sink can go back
// and patch bytes it already holds, because a record's checksum is only known after its
// payload.

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <span>
#include <vector>

namespace zel::build {

class ByteSink {
 public:
  virtual ~ByteSink() = default;
  // Appends `bytes`; false when they could not all be written.
  virtual bool append(std::span<const std::uint8_t> bytes) = 0;
  // Overwrites bytes already written, starting at `at`; false when it failed.
  virtual bool patch(std::size_t at, std::span<const std::uint8_t> bytes) = 0;
  // The number of bytes appended so far.
  virtual std::size_t size() const = 0;
};

class VectorSink : public ByteSink {
 public:
  bool append(std::span<const std::uint8_t> bytes) override;
  bool patch(std::size_t at, std::span<const std::uint8_t> bytes) override;
  std::size_t size() const override { return m_bytes.size(); }
  const std::vector<std::uint8_t>& bytes() const { return m_bytes; }

 private:
  std::vector<std::uint8_t> m_bytes;
};

// A binary stream the caller opened (an std::ofstream in binary mode); it must be
// seekable for patches.
class StreamSink : public ByteSink {
 public:
  explicit StreamSink(std::ostream& stream) : m_stream(stream) {}
  bool append(std::span<const std::uint8_t> bytes) override;
  bool patch(std::size_t at, std::span<const std::uint8_t> bytes) override;
  std::size_t size() const override { return m_size; }

 private:
  std::ostream& m_stream;
  std::size_t m_size = 0;
};

}  // namespace zel::build
