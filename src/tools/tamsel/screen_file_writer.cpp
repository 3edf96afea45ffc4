#include "tools/tamsel/screen_file_writer.h"

namespace zel::tamsel {
namespace {

void AppendWord(std::string& out, std::uint16_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>(value >> 8));
}

// The offset table grows with every screen, so a start is checked against the largest
// table there can be; definition files of the allowed size stay far below it.
constexpr std::size_t kLastRecordStart = kMaxNumber - kHeaderBytes - 2 * kMaxScreens;

}  // namespace

// Bit 15 of the flags word belongs to the converter: it marks a file without screens.
void ScreenFileWriter::setFeatureFlags(std::uint16_t flags) {
  m_flags = flags & static_cast<std::uint16_t>(~kNoScreenFlag);
}

bool ScreenFileWriter::startScreen(std::string_view title, bool initial) {
  if (m_records.size() > kLastRecordStart) return false;
  if (initial && !m_initialScreen) m_initialScreen = screenCount();
  m_screenStarts.push_back(m_records.size());
  beginRecord(RecordType::Screen);
  putText(title);
  return true;
}

void ScreenFileWriter::putWord(std::uint16_t value) {
  AppendWord(m_records, value);
}

void ScreenFileWriter::putText(std::string_view text) {
  m_records.append(text);
  m_records.push_back('\0');
}

std::string ScreenFileWriter::bytes() const {
  const bool noScreen = m_screenStarts.empty();
  std::uint16_t flags = m_flags;
  if (m_activate) flags |= kActivateFlag;
  if (noScreen) flags |= kNoScreenFlag;

  std::string out;
  AppendWord(out, noScreen ? kNoScreenMarker : 0);
  AppendWord(out, flags);
  AppendWord(out, static_cast<std::uint16_t>(screenCount()));
  AppendWord(out,
             m_initialScreen ? static_cast<std::uint16_t>(*m_initialScreen) : kNoInitialScreen);
  if (noScreen) return out;

  const std::size_t firstRecord = kHeaderBytes + 2 * m_screenStarts.size();
  for (std::size_t start : m_screenStarts) {
    AppendWord(out, static_cast<std::uint16_t>(firstRecord + start));
  }
  out += m_records;
  out.push_back(static_cast<char>(kEndMarker));
  return out;
}

}  // namespace zel::tamsel
