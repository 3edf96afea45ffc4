#pragma once
// Collects the records of a screen definition and lays out the binary screen file:
// header, screen offsets, records and end marker (see screen_format.h).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/tamsel/screen_format.h"

namespace zel::tamsel {

class ScreenFileWriter {
 public:
  void setFeatureFlags(std::uint16_t flags);
  void activate() { m_activate = true; }

  // Starts the next screen with its title record. False when the screen's offset might
  // not fit its word; the writer is then unchanged.
  bool startScreen(std::string_view title, bool initial);
  unsigned screenCount() const { return static_cast<unsigned>(m_screenStarts.size()); }

  void beginRecord(RecordType type) { putByte(static_cast<std::uint8_t>(type)); }
  void putByte(std::uint8_t value) { m_records.push_back(static_cast<char>(value)); }
  void putWord(std::uint16_t value);
  void putText(std::string_view text);  // with its closing zero byte

  // The whole file.
  std::string bytes() const;

 private:
  std::uint16_t m_flags = 0;
  bool m_activate = false;
  std::optional<unsigned> m_initialScreen;
  std::vector<std::size_t> m_screenStarts;  // positions in m_records
  std::string m_records;
};

}  // namespace zel::tamsel
