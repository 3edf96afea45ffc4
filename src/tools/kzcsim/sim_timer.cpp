#include "tools/kzcsim/sim_timer.h"

namespace zel::kzcsim {

void SimTimer::Start(TimerMode mode, std::int64_t nowMs) {
  m_mode = mode;
  m_running = m_preset > 0;
  m_value = m_preset;
  m_lastMs = nowMs;
  m_remainderMs = 0;
  // A pulse and an off delay are on while they run; an on delay only once it has run out.
  m_status = m_mode == TimerMode::OnDelay ? !m_running : m_running;
}

void SimTimer::Stop() {
  m_running = false;
  m_status = false;
  m_value = 0;
}

void SimTimer::setValue(std::uint16_t hundredths) {
  m_value = hundredths;
  if (m_running && m_value == 0) Advance(m_lastMs);
}

void SimTimer::Advance(std::int64_t nowMs) {
  if (!m_running) return;
  if (nowMs > m_lastMs) {
    const std::int64_t elapsed = nowMs - m_lastMs + m_remainderMs;
    m_lastMs = nowMs;
    const std::int64_t hundredths = elapsed / 10;
    m_remainderMs = elapsed % 10;
    m_value = hundredths >= m_value ? 0 : static_cast<std::uint16_t>(m_value - hundredths);
  }
  if (m_value == 0) {
    m_running = false;
    m_status = m_mode == TimerMode::OnDelay;
  }
}

std::uint16_t SimTimer::StatusWord() const {
  return static_cast<std::uint16_t>((m_status ? 1 : 0) | (m_running ? 2 : 0) |
                                    (static_cast<unsigned>(m_mode) << 8));
}

}  // namespace zel::kzcsim
